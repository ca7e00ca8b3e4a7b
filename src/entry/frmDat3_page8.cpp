// Page 8 "生活（３）･特記": infections and the special remarks.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

using namespace controls;

void frmDat3::buildPage8(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);

    Frame* infection = b.box(QStringLiteral("感染症の有無"));
    OptionGroup* group = b.group(page);
    OptionButton* yes = b.option(QStringLiteral("optKansen"), 1, QStringLiteral("有"), group);
    OptionButton* no = b.option(QStringLiteral("optKansen"), 2, QStringLiteral("無"), group);
    OptionButton* unknown = b.option(QStringLiteral("optKansen"), 3, QStringLiteral("不明"), group);
    FormBuilder::row(static_cast<QVBoxLayout*>(infection->layout()),
                     {no, yes, b.label(QStringLiteral("（"), QStringLiteral("Label40"), 7),
                      b.combo(QStringLiteral("cmbKansen"), kNoIndex, 3900, ImeMode::On, kLightCyan),
                      b.label(QStringLiteral("）"), QStringLiteral("Label15"), 7), nullptr,
                      unknown},
                     4);
    col->addWidget(infection);

    col->addSpacing(4);
    col->addWidget(b.heading(QStringLiteral("特記すべき事項")));
    for (const QString& line :
         {QStringLiteral("　要介護認定及び介護サービス計画作成時に必要な医学的なご意見などを記載し"
                         "て下さい。なお、専門医等に"),
          QStringLiteral("別途意見を求めた場合はその内容、結果も記載して下さい。（情報提供書や身"
                         "体障害者申請診断書の写し等を"),
          QStringLiteral("添付して頂いても結構です。）")})
        col->addWidget(b.note(line));
    col->addWidget(b.multiLine(QStringLiteral("txtTokki"), kNoIndex, 8445, 3000, ImeMode::On));
    col->addStretch(1);
}

} // namespace entry

// Page 1 "申請者": the writing date, the applicant, the last examination, other departments.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

using namespace controls;

namespace {

constexpr OleColor Y = kLightYellow;
constexpr OleColor C = kLightCyan;
constexpr int kDatePart = 330; // a two-character date box, twips

} // namespace

void frmDat3::buildPage1(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);
    const auto item = [&b](const QString& caption) {
        return b.colored(caption, FormBuilder::kItemColor);
    };
    const auto datePart = [&b](const QString& name) {
        return b.text(name, kNoIndex, kDatePart, 2, ImeMode::Disabled, Y);
    };

    // Heading and the writing date.
    ComboBox* eraD = b.list(QStringLiteral("cmbNengoD"), kNoIndex, 810,
                            {QStringLiteral("令和"), QStringLiteral("平成")}, ImeMode::NotSet, Y);
    eraD->setText(QStringLiteral("令和"));
    QHBoxLayout* top = FormBuilder::row(
        col, {b.heading(QStringLiteral("申 請 者")), nullptr, nullptr, nullptr, nullptr, nullptr,
              nullptr, item(QStringLiteral("記入日")), eraD, datePart(QStringLiteral("txtNenD")),
              b.label(QStringLiteral("年")), datePart(QStringLiteral("txtTukiD")),
              b.label(QStringLiteral("月")), datePart(QStringLiteral("txtHiD")),
              b.label(QStringLiteral("日")), nullptr,
              b.button(QStringLiteral("Command8"), QStringLiteral("今日の日付"))});
    Q_UNUSED(top);

    // The applicant.
    Frame* applicant = b.box(QString());
    auto* a = static_cast<QVBoxLayout*>(applicant->layout());
    FormBuilder::row(a,
                     {item(QStringLiteral("申請者氏名")),
                      b.text(QStringLiteral("txtname"), kNoIndex, 2700, 30, ImeMode::On, C),
                      nullptr, item(QStringLiteral("ふりがな")),
                      b.text(QStringLiteral("txtKana"), kNoIndex, 3300, 60, ImeMode::Hiragana, C)});
    Label* kanaPre = b.label(QString(), QStringLiteral("lblKanaPre"));
    kanaPre->setVisible(false);

    OptionGroup* sex = b.group(page);
    OptionGroup* consent = b.group(page);
    Frame* consentBox = b.box(QStringLiteral("介護サービス計画作成への利用"));
    FormBuilder::row(
        static_cast<QVBoxLayout*>(consentBox->layout()),
        {b.option(QStringLiteral("optDoui"), 1, QStringLiteral("同意する"), consent),
         b.option(QStringLiteral("optDoui"), 2, QStringLiteral("同意しない"), consent)});
    QHBoxLayout* sexRow = FormBuilder::row(
        a, {item(QStringLiteral("性　別")),
            b.option(QStringLiteral("optMale"), kNoIndex, QStringLiteral("男性"), sex),
            b.option(QStringLiteral("optFemale"), kNoIndex, QStringLiteral("女性"), sex), nullptr,
            item(QStringLiteral("カルテ番号")),
            b.text(QStringLiteral("txtPtID"), kNoIndex, 1200, 0, ImeMode::NotSet, Y),
            b.note(QStringLiteral("（印刷されません）")), nullptr, consentBox, kanaPre});
    Q_UNUSED(sexRow);

    FormBuilder::row(a, {item(QStringLiteral("生年月日")),
                         b.list(QStringLiteral("cmbNengo"), kNoIndex, 810,
                                {QStringLiteral("平成"), QStringLiteral("昭和"),
                                 QStringLiteral("大正"), QStringLiteral("明治")},
                                ImeMode::NotSet, Y),
                         datePart(QStringLiteral("txtNen")), b.label(QStringLiteral("年")),
                         datePart(QStringLiteral("txtTuki")), b.label(QStringLiteral("月")),
                         datePart(QStringLiteral("txtHi")), b.label(QStringLiteral("日")), nullptr,
                         b.text(QStringLiteral("txtToshi"), kNoIndex, 450, 0, ImeMode::Disabled, Y),
                         b.label(QStringLiteral("歳"))});
    FormBuilder::row(a,
                     {b.label(QStringLiteral("〒")),
                      b.text(QStringLiteral("txtYubin1"), kNoIndex, 480, 3, ImeMode::Disabled, Y),
                      b.label(QStringLiteral("-")),
                      b.text(QStringLiteral("txtYubin2"), kNoIndex, 600, 4, ImeMode::Disabled, Y),
                      nullptr, item(QStringLiteral("住　所")),
                      b.text(QStringLiteral("txtZusho"), kNoIndex, 5700, 0, ImeMode::On, C)});
    FormBuilder::row(a, {item(QStringLiteral("電話番号")),
                         b.text(QStringLiteral("txtTel"), 0, 900, 0, ImeMode::Disabled, Y),
                         b.label(QStringLiteral("―")),
                         b.text(QStringLiteral("txtTel"), 1, 900, 0, ImeMode::Disabled, Y),
                         b.label(QStringLiteral("―")),
                         b.text(QStringLiteral("txtTel"), 2, 900, 0, ImeMode::Disabled, Y)});
    col->addWidget(applicant);

    // The last examination and the count of letters.
    OptionGroup* count = b.group(page);
    FormBuilder::row(
        col, {item(QStringLiteral("最終診察日")),
              b.list(QStringLiteral("cmbNengo2"), kNoIndex, 810,
                     {QStringLiteral("令和"), QStringLiteral("平成"), QStringLiteral("昭和")},
                     ImeMode::NotSet, Y),
              datePart(QStringLiteral("txtNen2")), b.label(QStringLiteral("年")),
              datePart(QStringLiteral("txtTuki2")), b.label(QStringLiteral("月")),
              datePart(QStringLiteral("txtHi2")), b.label(QStringLiteral("日")), nullptr, nullptr,
              item(QStringLiteral("作成回数")),
              b.option(QStringLiteral("opKaisu"), 0, QStringLiteral("初回"), count),
              b.option(QStringLiteral("opKaisu"), 1, QStringLiteral("２回目以上"), count)});

    // Other departments.
    Frame* other = b.box(QString());
    auto* o = static_cast<QVBoxLayout*>(other->layout());
    OptionGroup* taka = b.group(page);
    FormBuilder::row(o,
                     {item(QStringLiteral("他科受診の有無")),
                      b.option(QStringLiteral("opTakaAri"), kNoIndex, QStringLiteral("有"), taka),
                      b.option(QStringLiteral("opTakaNasi"), kNoIndex, QStringLiteral("無"), taka),
                      nullptr, b.label(QStringLiteral("（有の場合）→"))});
    const QStringList departments = {
        QStringLiteral("内科"),       QStringLiteral("精神科"),       QStringLiteral("外科"),
        QStringLiteral("整形外科"),   QStringLiteral("脳神経外科"),   QStringLiteral("皮膚科"),
        QStringLiteral("泌尿器科"),   QStringLiteral("婦人科"),       QStringLiteral("眼科"),
        QStringLiteral("耳鼻咽喉科"), QStringLiteral("ﾘﾊﾋﾞﾘﾃｰｼｮﾝ科"), QStringLiteral("歯科"),
        QStringLiteral("その他")};
    QList<CheckBox*> boxes;
    for (int i = 1; i <= 13; ++i)
        boxes.append(b.check(QStringLiteral("chkTaka"), i, departments.at(i - 1)));
    FormBuilder::row(o, {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5], boxes[6]}, 6);
    FormBuilder::row(o,
                     {boxes[7], boxes[8], boxes[9], boxes[10], boxes[11], boxes[12],
                      b.combo(QStringLiteral("cmbTaka"), kNoIndex, 1800, ImeMode::On, C)},
                     6);
    col->addWidget(other);

    col->addStretch(1);
    Label* next = b.label(QStringLiteral("Ctrl + Tab →　次頁"), QStringLiteral("lblTugi"), 0);
    next->setForeColor(rgb(192, 0, 192));
    col->addWidget(next, 0, Qt::AlignRight);
}

} // namespace entry

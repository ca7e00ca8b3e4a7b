#pragma once

#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"

#include <QBoxLayout>
#include <QStringList>

#include <initializer_list>

namespace entry {

// Creates the controls of a form with their design values and enters the named ones in the
// form's registry. Sizes are given in twips.
class FormBuilder
{
public:
    explicit FormBuilder(controls::ControlRegistry& registry) : m_registry(registry) {}

    static int px(int twips);

    // A label; entered in the registry only when it has a name.
    controls::Label* label(const QString& caption, const QString& name = {},
                           int index = controls::kNoIndex);
    // A caption in the given colour.
    controls::Label* colored(const QString& caption, controls::OleColor color);
    // A section heading: 9 pt bold green.
    controls::Label* heading(const QString& caption);
    // A note in parentheses: 8.25 pt.
    controls::Label* note(const QString& caption, const QString& name = {},
                          int index = controls::kNoIndex);

    controls::TextBox* text(const QString& name, int index, int widthTwips, int limit,
                            controls::ImeMode ime, controls::OleColor back);
    controls::MultiLineTextBox* multiLine(const QString& name, int index, int widthTwips,
                                          int heightTwips, controls::ImeMode ime);
    controls::ComboBox* combo(const QString& name, int index, int widthTwips, controls::ImeMode ime,
                              controls::OleColor back);
    controls::ComboBox* list(const QString& name, int index, int widthTwips,
                             const QStringList& items, controls::ImeMode ime,
                             controls::OleColor back);
    controls::CommandButton* button(const QString& name, const QString& caption);
    controls::CheckBox* check(const QString& name, int index, const QString& caption);
    controls::OptionButton* option(const QString& name, int index, const QString& caption,
                                   controls::OptionGroup* group,
                                   controls::OleColor fore = kOptionColor);
    controls::OptionGroup* group(QObject* owner) { return new controls::OptionGroup(owner); }
    // A frame with a caption, holding a vertical layout.
    controls::Frame* box(const QString& caption, controls::OleColor captionColor = kBoxColor,
                         const QString& name = {}, int index = controls::kNoIndex);

    // A row of widgets, left-aligned; a null entry puts a gap.
    static QHBoxLayout* row(QBoxLayout* into, std::initializer_list<QWidget*> widgets,
                            int spacing = 2);
    static QVBoxLayout* column(QWidget* widget);

    static constexpr controls::OleColor kOptionColor = controls::rgb(128, 64, 0);
    static constexpr controls::OleColor kBoxColor = controls::rgb(0, 0, 255);
    static constexpr controls::OleColor kItemColor = controls::rgb(0, 0, 255);

private:
    void enter(controls::Control* control);
    controls::ControlRegistry& m_registry;
};

} // namespace entry

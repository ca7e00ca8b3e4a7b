#pragma once

#include "record/formreader.h"

#include <QHash>
#include <QPair>
#include <QStringList>

// The entry form as a table of controls, for tests and benchmarks of the letter save. Each
// control has a text, a value, a visible and an enabled state; a control that is not in the
// table is missing from the form.
class TableFormReader : public record::FormReader
{
public:
    struct Control
    {
        QString text;
        int value = 0;
        bool visible = true;
        bool enabled = true;
    };

    // Every control that the save reads, as the entry form shows a new, empty letter: empty
    // texts, nothing ticked or chosen, the era boxes set, the underlines hidden, the care-note
    // and infection names disabled.
    static TableFormReader blankLetter();
    // A letter with every part filled in: the blank letter with these settings applied.
    static TableFormReader fullLetter();
    static QStringList fullLetterSettings();

    // The name and index of every control in the table.
    QList<QPair<QString, int>> controlNames() const;

    std::optional<QString> text(const QString& name, int index = NoIndex) const override;
    std::optional<int> value(const QString& name, int index = NoIndex) const override;
    std::optional<bool> visible(const QString& name, int index = NoIndex) const override;
    std::optional<bool> enabled(const QString& name, int index = NoIndex) const override;

    Control& control(const QString& name, int index = NoIndex);
    void setText(const QString& name, const QString& text) { control(name).text = text; }
    void setText(const QString& name, int index, const QString& text)
    {
        control(name, index).text = text;
    }
    void setValue(const QString& name, int index, int value) { control(name, index).value = value; }
    void remove(const QString& name, int index = NoIndex) { m_controls.remove({name, index}); }

    // One setting of a control: "name=text", "name(3)=text" or "name(3).Prop=value" with
    // Prop one of Text, Value, Visible, Enabled; True and False read as 1 and 0.
    struct Setting
    {
        enum Property { Text, Value, Visible, Enabled };
        QString name;
        int index = NoIndex;
        Property property = Text;
        QString text;
        int number = 0;
    };
    static std::optional<Setting> parseSetting(const QString& setting);

    // Applies settings, in order, each to a control of the table. Returns false, with the
    // setting, for one that cannot be read or names no control of the table.
    bool apply(const QStringList& settings, QString* bad = nullptr);

private:
    const Control* find(const QString& name, int index) const;

    QHash<QPair<QString, int>, Control> m_controls;
};

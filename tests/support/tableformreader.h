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
    // A letter with every part filled in.
    static TableFormReader fullLetter();

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

    // Applies settings written as "name=text", "name(3)=text" or "name(3).Prop=value" with
    // Prop one of Text, Value, Visible, Enabled (values True/False or a number), each for a
    // control of the table. Returns false, with the setting, for one that cannot be applied.
    bool apply(const QStringList& settings, QString* bad = nullptr);

private:
    const Control* find(const QString& name, int index) const;

    QHash<QPair<QString, int>, Control> m_controls;
};

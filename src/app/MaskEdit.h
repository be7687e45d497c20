#pragma once

#include <QLineEdit>

// A masked edit field. The edit mask is written as the desktop's masked edits take it
// ("!99/99/9999;1;_": "9" an optional digit, "0" a required digit, other characters literals kept in the
// text, "_" shown in unfilled positions). Text() is the field's text as the program reads it: every
// position of the mask, unfilled positions as blanks ("  /  /    " when the date field is empty).
class TMaskEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TMaskEdit(const QString& pEditMask, QWidget* pParent = nullptr);

    QString EditMask() const { return vEditMask; }
    QString Text() const;
    // Blanks leave their positions unfilled; empty text empties the field.
    void SetText(const QString& pTexto);
    // The text of the empty field.
    QString TextoVazio() const;

private:
    QString vEditMask;
    QChar vBranco = u'_';
};

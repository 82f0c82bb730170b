#pragma once
// The characters the program shows its texts in: the book's own simplified characters, or
// traditional characters as Taiwan or Hong Kong write them. The conversion is OpenCC's, character
// by character without modern vocabulary, followed by the book's own reviewed corrections
// (TextCorrections.def). A converted text is exactly as long as the text it comes from.
//
// Every lookup keeps working on the simplified text: only what is drawn is converted, and the
// simplified form is the identity, so turning the conversion off gives back every text exactly.

#include <QString>

#include <memory>
#include <vector>

namespace textform {

enum class Form { Simplified, Taiwan, HongKong };

// The settings' spelling of a form ("off", "臺灣", "香港") and back; an unknown word is Simplified.
QString formName(Form form);
Form formFromName(const QString &name);

// One loaded conversion. Loading reads OpenCC's configuration and dictionaries (some tens of
// milliseconds): done once, when the reader first asks for traditional characters.
class Converter
{
  public:
    // Null when OpenCC's data files for the form are missing or unreadable; *error then says why.
    static std::unique_ptr<Converter> load(Form form, QString *error = nullptr);
    ~Converter();

    Form form() const { return m_form; }
    QString convert(const QString &text) const;

  private:
    Converter(Form form, void *handle);
    Form m_form;
    void *m_handle;
};

// The reviewed corrections, in order: what the conversion gives, what the book means, and a
// phrase of the book that needs the correction.
struct Correction {
    QString converted;
    QString corrected;
    QString example;
};
const std::vector<Correction> &corrections();

// Applies the corrections to a converted text.
QString corrected(QString converted);

// Why traditional characters cannot be shown (OpenCC's data files missing); empty when they can.
QString unavailableReason();

// The form the windows show now, and its converter; Simplified until a converter is installed.
Form current();
void install(std::shared_ptr<const Converter> converter);
void uninstall();

// What to draw for a text of the book or the program: the text itself in Simplified form.
QString shown(const QString &text);

} // namespace textform

#include "common/TextForm.h"

#include <QFile>
#include <QHash>

#include <opencc/opencc.h>

#include <vector>

namespace textform {

namespace {

// OpenCC's character-by-character configurations: they add no modern vocabulary (a classical
// text's 查看, 万象, 循环 stay as written) and keep every text's length.
const char *configurationOf(Form form)
{
    return form == Form::HongKong ? "s2hk.json" : "s2tw.json";
}

// OpenCC's data folder; LINGLU_OPENCC_DATA names another (the tests use one without the files).
QString dataFolder()
{
    return qEnvironmentVariable("LINGLU_OPENCC_DATA", QStringLiteral(OPENCC_DATA_DIR));
}

std::shared_ptr<const Converter> &installed()
{
    static std::shared_ptr<const Converter> converter;
    return converter;
}

// The texts shown lately and their conversion: labels, buttons and menu items are drawn again on
// every paint, and a page comes back with every switch between windows. Used on the windows'
// thread only; emptied when it grows large and whenever the form changes.
QHash<QString, QString> &recentlyShown()
{
    static QHash<QString, QString> texts;
    return texts;
}

constexpr qsizetype kMaxRecentlyShown = 4096;

} // namespace

QString formName(Form form)
{
    switch (form) {
    case Form::Taiwan:
        return QStringLiteral("臺灣");
    case Form::HongKong:
        return QStringLiteral("香港");
    case Form::Simplified:
        break;
    }
    return QStringLiteral("off");
}

Form formFromName(const QString &name)
{
    if (name == QStringLiteral("臺灣"))
        return Form::Taiwan;
    if (name == QStringLiteral("香港"))
        return Form::HongKong;
    return Form::Simplified;
}

std::unique_ptr<Converter> Converter::load(Form form, QString *error)
{
    if (form == Form::Simplified)
        return nullptr;
    const QString reason = unavailableReason();
    if (!reason.isEmpty()) {
        if (error)
            *error = reason;
        return nullptr;
    }
    const QByteArray path = QFile::encodeName(dataFolder() + QLatin1Char('/') + QLatin1String(configurationOf(form)));
    opencc_t handle = opencc_open(path.constData());
    if (handle == reinterpret_cast<opencc_t>(-1)) {
        if (error)
            *error = QStringLiteral("OpenCC 的转换资料无法读取：%1").arg(QString::fromUtf8(opencc_error()));
        return nullptr;
    }
    return std::unique_ptr<Converter>(new Converter(form, handle));
}

Converter::Converter(Form form, void *handle)
    : m_form(form)
    , m_handle(handle)
{
}

Converter::~Converter()
{
    opencc_close(static_cast<opencc_t>(m_handle));
}

QString Converter::convert(const QString &text) const
{
    if (text.isEmpty())
        return text;
    const QByteArray utf8 = text.toUtf8();
    char *out = opencc_convert_utf8(static_cast<opencc_t>(m_handle), utf8.constData(), size_t(utf8.size()));
    if (!out)
        return text;
    QString result = corrected(QString::fromUtf8(out));
    opencc_convert_utf8_free(out);
    return result;
}

const std::vector<Correction> &corrections()
{
    static const std::vector<Correction> table{
#define TEXT_CORRECTION(converted, corrected, example)                                                                 \
    {QStringLiteral(converted), QStringLiteral(corrected), QStringLiteral(example)},
#include "common/TextCorrections.def"
#undef TEXT_CORRECTION
    };
    return table;
}

QString corrected(QString converted)
{
    for (const Correction &row : corrections())
        converted.replace(row.converted, row.corrected);
    return converted;
}

QString unavailableReason()
{
    for (const char *file : {"s2tw.json", "s2hk.json", "STCharacters.ocd2", "STPhrases.ocd2"})
        if (!QFile::exists(dataFolder() + QLatin1Char('/') + QLatin1String(file)))
            return QStringLiteral("没有找到 OpenCC 的转换资料（%1/%2）：请安装 libopencc-data")
                .arg(dataFolder(), QLatin1String(file));
    return {};
}

Form current()
{
    return installed() ? installed()->form() : Form::Simplified;
}

void install(std::shared_ptr<const Converter> converter)
{
    recentlyShown().clear();
    installed() = std::move(converter);
}

void uninstall()
{
    recentlyShown().clear();
    installed().reset();
}

QString shown(const QString &text)
{
    if (!installed() || text.isEmpty())
        return text;
    QHash<QString, QString> &texts = recentlyShown();
    if (const auto known = texts.constFind(text); known != texts.constEnd())
        return *known;
    if (texts.size() >= kMaxRecentlyShown)
        texts.clear();
    const QString converted = installed()->convert(text);
    texts.insert(text, converted);
    return converted;
}

} // namespace textform

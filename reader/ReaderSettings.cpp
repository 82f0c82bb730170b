#include "reader/ReaderSettings.h"

#include "reader/TextSize.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace reader {

namespace {

const QString kFavourites = QStringLiteral("reader/favourites");
const QString kRecent = QStringLiteral("reader/recent");
const QString kTextPercent = QStringLiteral("reader/textPercent");
const QString kContentsShown = QStringLiteral("reader/contentsShown");
const QString kPinyin = QStringLiteral("reader/pinyin");
const QString kTraditional = QStringLiteral("reader/traditional");
const QString kCharacterForm = QStringLiteral("reader/characterForm");

QList<content::PageAddress> pages(const QStringList &texts, int most)
{
    QList<content::PageAddress> list;
    for (const QString &text : texts) {
        const std::optional<content::PageAddress> page = content::PageAddress::fromText(text);
        if (page && !list.contains(*page) && list.size() < most)
            list.append(*page);
    }
    return list;
}

QStringList texts(const QList<content::PageAddress> &pages)
{
    QStringList list;
    for (const content::PageAddress &page : pages)
        list.append(page.toText());
    return list;
}

} // namespace

QString ReaderSettings::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/linglu/linglu.ini");
}

ReaderSettings::ReaderSettings(const QString &fileName)
    : m_fileName(fileName)
{
    read();
}

void ReaderSettings::read()
{
    const QFileInfo info(m_fileName);
    if (!info.exists() && !info.isSymLink())
        return; // nothing kept yet: written on the first save
    // Only a regular file of its own, of a settings file's size, that can be read is read; a pipe
    // would block the reading, a link may lead anywhere.
    if (info.isSymLink() || !info.isFile() || info.size() > kMaxFileBytes || !info.isReadable()) {
        m_writable = false;
        return;
    }
    QSettings file(m_fileName, QSettings::IniFormat);
    // Damaged, or some other program's file that holds nothing of the reader's: left as it is.
    if (file.status() != QSettings::NoError ||
        (info.size() > 0 && !file.childGroups().contains(QStringLiteral("reader")))) {
        m_writable = false;
        return;
    }
    m_writable = info.isWritable();
    m_favourites = pages(file.value(kFavourites).toStringList(), kMaxFavourites);
    m_recent = pages(file.value(kRecent).toStringList(), kMaxRecent);
    bool number = false;
    const int percent = file.value(kTextPercent).toInt(&number);
    if (number)
        m_textPercent = TextSize::nearestStep(percent);
    m_contentsShown = file.value(kContentsShown).toBool();
    m_pinyinShown = file.value(kPinyin).toBool();
    m_traditional = file.value(kTraditional).toBool();
    setCharacterForm(file.value(kCharacterForm).toString());
}

bool ReaderSettings::isFavourite(const content::PageAddress &page) const
{
    return m_favourites.contains(page);
}

void ReaderSettings::toggleFavourite(const content::PageAddress &page)
{
    if (!m_favourites.removeOne(page) && m_favourites.size() < kMaxFavourites)
        m_favourites.append(page);
}

void ReaderSettings::addRecent(const content::PageAddress &page)
{
    m_recent.removeOne(page);
    m_recent.prepend(page);
    if (m_recent.size() > kMaxRecent)
        m_recent.resize(kMaxRecent);
}

void ReaderSettings::setTextPercent(int percent)
{
    m_textPercent = TextSize::nearestStep(percent);
}

void ReaderSettings::setCharacterForm(const QString &form)
{
    m_characterForm = form == kHongKong ? kHongKong : kTaiwan;
}

bool ReaderSettings::save()
{
    if (!m_writable)
        return false;
    // The folder is made if it is missing; a file that has turned into something else since it
    // was read is left alone.
    const QFileInfo info(m_fileName);
    if (info.isSymLink() || (info.exists() && !info.isFile()) || !QDir().mkpath(info.absolutePath()))
        return false;
    QSettings file(m_fileName, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return false;
    file.setAtomicSyncRequired(true);
    file.setValue(kFavourites, texts(m_favourites));
    file.setValue(kRecent, texts(m_recent));
    file.setValue(kTextPercent, m_textPercent);
    file.setValue(kContentsShown, m_contentsShown);
    file.setValue(kPinyin, m_pinyinShown);
    file.setValue(kTraditional, m_traditional);
    file.setValue(kCharacterForm, m_characterForm);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace reader

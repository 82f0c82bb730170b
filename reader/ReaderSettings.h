#pragma once
// What the reader keeps between runs, in one settings file of the user's (INI, in the standard
// per-user configuration folder): the favourites in the order added, the recent pages newest
// first, the text size, whether the contents panel is shown, whether pinyin is set over the
// incantations, whether the texts are shown in traditional characters and in which form. Pages are
// kept by their address; a kept page the book no longer holds is left out.
//
// The file is treated like any other input. Missing, empty, damaged, unreadable, too large, or
// anything but a regular file (a pipe, a folder, a link): the reader starts as if it were empty,
// without a word, and a file that could not be read is never written over. Writing replaces the
// whole file at once (a new file renamed over the old), so a crash never leaves half a file.

#include "content/PageAddress.h"

#include <QList>
#include <QString>

namespace reader {

class ReaderSettings
{
  public:
    static constexpr qint64 kMaxFileBytes = 256 * 1024;
    static constexpr int kMaxRecent = 20;
    static constexpr int kMaxFavourites = 500;

    // The file in the user's configuration folder: <config>/linglu/linglu.ini.
    static QString defaultFileName();

    // Reads the file at once (it is small: reading costs well under a millisecond).
    explicit ReaderSettings(const QString &fileName);

    // False when the file exists but could not be read as the reader's settings: nothing is
    // ever written to it then.
    bool isWritable() const { return m_writable; }

    const QList<content::PageAddress> &favourites() const { return m_favourites; }
    bool isFavourite(const content::PageAddress &page) const;
    // Adds a page at the end, or takes it out when it is there already.
    void toggleFavourite(const content::PageAddress &page);

    // The last pages opened, newest first; a page opened again moves to the front.
    const QList<content::PageAddress> &recent() const { return m_recent; }
    void addRecent(const content::PageAddress &page);

    int textPercent() const { return m_textPercent; }
    void setTextPercent(int percent);

    bool contentsShown() const { return m_contentsShown; }
    void setContentsShown(bool shown) { m_contentsShown = shown; }

    // Pinyin over the incantations (注音).
    bool pinyinShown() const { return m_pinyinShown; }
    void setPinyinShown(bool shown) { m_pinyinShown = shown; }
    // 繁體字: the texts in traditional characters, as Taiwan (臺灣, the default) or Hong Kong (香港)
    // writes them; any other form read from the file is 臺灣.
    static inline const QString kTaiwan = QStringLiteral("臺灣");
    static inline const QString kHongKong = QStringLiteral("香港");
    bool traditional() const { return m_traditional; }
    void setTraditional(bool traditional) { m_traditional = traditional; }
    const QString &characterForm() const { return m_characterForm; }
    void setCharacterForm(const QString &form);

    // Writes everything to the file, atomically. False when the file may not or cannot be written.
    bool save();

  private:
    void read();

    QString m_fileName;
    bool m_writable = true;
    QList<content::PageAddress> m_favourites;
    QList<content::PageAddress> m_recent;
    int m_textPercent = 100;
    bool m_contentsShown = false;
    bool m_pinyinShown = false;
    bool m_traditional = false;
    QString m_characterForm = kTaiwan;
};

} // namespace reader

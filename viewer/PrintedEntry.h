#pragma once
// An entry page as it goes onto paper: one A4 sheet with chapter and entry in the header line,
// the picture at its true proportions beside or above the texts, then the heading line and the
// two sections in the viewer's fonts.

#include <QImage>
#include <QString>

class QPagedPaintDevice;

struct PrintedEntry {
    QString chapter;            // the chapter's short title
    QString entry;              // the entry selected in the list
    QString heading;            // the page's own title: the entry, or the 奇门遁甲 view shown
    QImage picture;             // at full resolution; null for a page printed without its picture
    QString upper;              // the upper pane's text, lines separated by CR LF
    QString lower;              // the lower pane's text
    bool lowerReadings = false; // pinyin over the lower text below its first line, as the pane shows it
    QString lowerOwn;           // the lower text in the book's own characters, which the readings are read from

    // Draws the page on the first sheet of the device. False when the device cannot be painted on.
    bool render(QPagedPaintDevice &sheets) const;
};

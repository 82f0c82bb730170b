#include "app/ChapterOpener.h"

#include "app/Module1.h"

void OpenChapterWindow(const QString &shortTitle)
{
    // Placeholder until the viewer lands: records the chapter being opened.
    Module1::CurrentChapter() = shortTitle;
}

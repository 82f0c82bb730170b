#pragma once

#include <QString>

class Fllhb;

// Shows the chapter with this short title in its viewer, creating the viewer the first time.
// Each chapter has at most one viewer, found again by its caption "灵箓汇编-" + short title.
void OpenChapterWindow(const QString &shortTitle);

// The viewer of the chapter with this short title, found by its caption; null while none is open.
Fllhb *chapterViewer(const QString &shortTitle);

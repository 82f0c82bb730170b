// The page of an entry of chapters 2 to 10: wide layout first, then the picture, then the upper
// and the lower pane. A picture that cannot be loaded stops the page with its message, so the
// previous picture and texts stay.
#include "viewer/Fllhb.h"

#include "content/Catalogue.h"
#include "viewer/TextPane.h"

#include <QComboBox>
#include <QLabel>

void Fllhb::ShowEntryPage(const content::Chapter &chapter)
{
    const content::Page *page = content::Catalogue::pageOf(chapter, m_label2->text());
    if (!page)
        return;

    if (page->widePicture) {
        m_pictureWidthFactor = 2;
        LayoutViewer();
    }
    if (!loadPicture(page->pictureNumber))
        return;

    const QString heading = page->headingTitle.isEmpty() ? m_combo1->currentText() : page->headingTitle;
    m_text3->setText(content::ComposeSection(heading, page->upper.label, page->upper.paragraphs));
    if (page->lower)
        m_text2->setText(content::ComposeSection(heading, page->lower->label, page->lower->paragraphs));
    else
        m_text2->setText(QString()); // no lower section: nothing of the previous page stays
}

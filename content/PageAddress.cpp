#include "content/PageAddress.h"

#include "content/Catalogue.h"
#include "content/PictureNumbers.h"
#include "content/TableOfContents.h"

namespace content {

namespace {

const QChar kEntrySeparator = QLatin1Char('/');
const QChar kViewSeparator = QLatin1Char('#');

const Chapter *panelChapter()
{
    for (const Chapter &chapter : Catalogue::instance().chapters())
        if (chapter.hasPanel)
            return &chapter;
    return nullptr;
}

QString panelShortTitle()
{
    const Chapter *chapter = panelChapter();
    return chapter ? chapter->shortTitle : QString();
}

int figureCount()
{
    return int(Catalogue::instance().figureViews().size());
}

QString figureName(int figure)
{
    return figure >= 0 && figure < figureCount() ? Catalogue::instance().figureViews()[std::size_t(figure)].headingTitle
                                                 : QString();
}

} // namespace

PageAddress PageAddress::entry(const QString &chapter, const QString &entry)
{
    PageAddress address;
    address.m_kind = Kind::Entry;
    address.m_chapter = chapter;
    address.m_entry = entry;
    return address;
}

PageAddress PageAddress::overview()
{
    return entry(panelShortTitle(), kYuNvFanBi);
}

PageAddress PageAddress::panelView(Kind kind, int index)
{
    PageAddress address = overview();
    address.m_kind = kind;
    address.m_index = index;
    return address;
}

PageAddress PageAddress::dayChart(int day)
{
    return panelView(Kind::DayChart, day);
}

PageAddress PageAddress::figure(int figure)
{
    return panelView(Kind::Figure, figure);
}

PageAddress PageAddress::article(const QString &name, const QString &section)
{
    PageAddress address;
    address.m_kind = Kind::Article;
    address.m_article = name;
    address.m_section = section;
    return address;
}

PageAddress PageAddress::withoutSection() const
{
    PageAddress whole = *this;
    whole.m_section.clear();
    return whole;
}

bool PageAddress::isValid() const
{
    switch (m_kind) {
    case Kind::Article:
        return TableOfContents::instance().articleByName(m_article) != nullptr;
    case Kind::DayChart:
        return *this == dayChart(m_index) && m_index >= 0 && m_index < picturenumbers::kDayCharts;
    case Kind::Figure:
        return *this == figure(m_index) && m_index >= 0 && m_index < figureCount();
    case Kind::Entry:
        break;
    }
    const Chapter *chapter = Catalogue::instance().chapterByShortTitle(m_chapter);
    if (!chapter || m_index != -1 || !m_article.isEmpty() || !m_section.isEmpty())
        return false;
    for (const Entry &entry : chapter->entries)
        if (entry.name == m_entry)
            return true;
    return false;
}

QString PageAddress::toText() const
{
    switch (m_kind) {
    case Kind::Article:
        return m_section.isEmpty() ? m_article : m_article + kViewSeparator + m_section;
    case Kind::DayChart:
        return m_chapter + kEntrySeparator + m_entry + kViewSeparator + dayChartName(m_index);
    case Kind::Figure:
        return m_chapter + kEntrySeparator + m_entry + kViewSeparator + figureName(m_index);
    case Kind::Entry:
        break;
    }
    return m_chapter + kEntrySeparator + m_entry;
}

std::optional<PageAddress> PageAddress::fromText(const QString &text)
{
    // Chapter and entry names hold neither separator; a section heading may hold either.
    const qsizetype slash = text.indexOf(kEntrySeparator);
    const qsizetype hash = text.indexOf(kViewSeparator);
    if (slash < 0 || (hash >= 0 && hash < slash)) {
        const QString name = hash < 0 ? text : text.left(hash);
        const PageAddress address = article(name, hash < 0 ? QString() : text.mid(hash + 1));
        if (!address.isValid() || (hash >= 0 && address.m_section.isEmpty()))
            return std::nullopt;
        return address;
    }

    const QString chapter = text.left(slash);
    const QString rest = text.mid(slash + 1);
    const qsizetype viewAt = rest.indexOf(kViewSeparator);
    PageAddress address = entry(chapter, viewAt < 0 ? rest : rest.left(viewAt));
    if (viewAt >= 0) {
        const QString view = rest.mid(viewAt + 1);
        address = PageAddress();
        for (int day = 0; day < picturenumbers::kDayCharts; ++day)
            if (dayChartName(day) == view)
                address = dayChart(day);
        for (int index = 0; index < figureCount(); ++index)
            if (figureName(index) == view)
                address = figure(index);
        if (address.m_chapter != chapter || address.m_entry != rest.left(viewAt))
            return std::nullopt;
    }
    if (!address.isValid())
        return std::nullopt;
    return address;
}

QString PageAddress::title() const
{
    switch (m_kind) {
    case Kind::Article:
        return m_section.isEmpty() ? m_article : m_section;
    case Kind::DayChart:
        return QStringLiteral("每日布局速成图（%1）").arg(dayChartName(m_index));
    case Kind::Figure:
        return figureName(m_index);
    case Kind::Entry:
        break;
    }
    return m_entry;
}

} // namespace content

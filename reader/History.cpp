#include "reader/History.h"

namespace reader {

void History::record(const content::PageAddress &page)
{
    if (m_current >= 0 && m_pages.at(m_current) == page)
        return;
    m_pages.resize(m_current + 1);
    m_pages.append(page);
    if (m_pages.size() > kMaxPages)
        m_pages.removeFirst();
    m_current = m_pages.size() - 1;
}

std::optional<content::PageAddress> History::back()
{
    if (!canGoBack())
        return std::nullopt;
    return m_pages.at(--m_current);
}

std::optional<content::PageAddress> History::forward()
{
    if (!canGoForward())
        return std::nullopt;
    return m_pages.at(++m_current);
}

std::optional<content::PageAddress> History::current() const
{
    if (m_current < 0)
        return std::nullopt;
    return m_pages.at(m_current);
}

} // namespace reader

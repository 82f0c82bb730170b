#pragma once
// The pages the reader has been shown during this run, in order, with the place the reader stands
// in them: 后退 and 前进 move that place as a browser does. A page shown while the place is not at
// the end drops the pages after it. Bounded: the oldest page goes first.

#include "content/PageAddress.h"

#include <QList>

#include <optional>

namespace reader {

class History
{
  public:
    static constexpr int kMaxPages = 100;

    // A page was shown. The page the reader stands on again (a window brought forward, the same
    // page reported twice) is not a new step.
    void record(const content::PageAddress &page);

    bool canGoBack() const { return m_current > 0; }
    bool canGoForward() const { return m_current + 1 < m_pages.size(); }

    // Moves the place one page back or forward and returns the page to show there; nothing at
    // either end.
    std::optional<content::PageAddress> back();
    std::optional<content::PageAddress> forward();

    std::optional<content::PageAddress> current() const;
    const QList<content::PageAddress> &pages() const { return m_pages; }

  private:
    QList<content::PageAddress> m_pages;
    qsizetype m_current = -1;
};

} // namespace reader

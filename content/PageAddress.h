#pragma once
// The address of one page of the book: an entry of a chapter, a view of the 奇门遁甲 panel, or an
// article with, optionally, one of its section headings. It names the page by the book's own
// names, never by a list position or a window caption, and has a text form for storing it:
//   日常琐事/镇刑克法              an entry
//   奇门遁甲/玉女反闭诀            the overview of 玉女反闭诀 (its list entry)
//   奇门遁甲/玉女反闭诀#子丑日      a day chart
//   奇门遁甲/玉女反闭诀#乙奇符式    a figure
//   符咒心得  or  符咒心得#三、…    an article, at a section heading

#include <QString>

#include <optional>

namespace content {

class PageAddress
{
  public:
    enum class Kind : unsigned char { Entry, DayChart, Figure, Article };

    PageAddress() = default;
    static PageAddress entry(const QString &chapter, const QString &entry);
    static PageAddress overview(); // 玉女反闭诀 as its list entry shows it
    static PageAddress dayChart(int day);
    static PageAddress figure(int figure);
    static PageAddress article(const QString &name, const QString &section = QString());

    // The page named by a text form, checked against the book: nothing for a chapter, entry, view
    // or article the book does not hold. An article's section is not checked here (the headings
    // are in the article's file).
    static std::optional<PageAddress> fromText(const QString &text);
    QString toText() const;

    // True for an address of a page the book holds.
    bool isValid() const;

    Kind kind() const { return m_kind; }
    QString chapter() const { return m_chapter; } // short title; empty for an article
    QString entryName() const { return m_entry; } // the list entry; empty for an article
    int viewIndex() const { return m_index; }     // the day chart or figure, -1 otherwise
    QString articleName() const { return m_article; }
    QString section() const { return m_section; }
    bool isArticle() const { return m_kind == Kind::Article; }

    // The same address without its article section: the page as a whole.
    PageAddress withoutSection() const;

    // What the page is called: the entry, "每日布局速成图（子丑日）", the figure's heading, the
    // article's name or its section heading.
    QString title() const;

    friend bool operator==(const PageAddress &, const PageAddress &) = default;

  private:
    // A view of 玉女反闭诀's panel: a day chart or a figure, by its number.
    static PageAddress panelView(Kind kind, int index);

    Kind m_kind = Kind::Entry;
    QString m_chapter;
    QString m_entry;
    int m_index = -1;
    QString m_article;
    QString m_section;
};

} // namespace content

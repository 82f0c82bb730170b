#pragma once
// The banner's four pictures and the order the catalogue shows them in: one per tick, d, a, b, c,
// d, a, … . The step has no value until the first picture has been shown, so the cycle starts
// with d.

#include <QStringList>

class BannerCycle
{
  public:
    // The four banner files (relative names of the installation), in the order they are checked.
    static QStringList files();

    // The picture this tick shows.
    QString current() const;

    // The picture was shown: move on to the next one. A tick that fails to show its picture does
    // not call this, so the next tick tries the same picture again.
    void advance();

    // 0 while the step has no value, then 1 to 4.
    int step() const { return m_step; }

  private:
    int m_step = 0;
};

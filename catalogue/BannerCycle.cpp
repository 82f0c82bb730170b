#include "catalogue/BannerCycle.h"

QStringList BannerCycle::files()
{
    return {QStringLiteral("\\picture\\llhba.bmp"), QStringLiteral("\\picture\\llhbb.bmp"),
            QStringLiteral("\\picture\\llhbc.bmp"), QStringLiteral("\\picture\\llhbd.bmp")};
}

QString BannerCycle::current() const
{
    // Steps 1 to 3 show a, b and c; no value yet, or 4, shows d.
    const QStringList all = files();
    return m_step >= 1 && m_step <= 3 ? all.at(m_step - 1) : all.at(3);
}

void BannerCycle::advance()
{
    m_step = m_step >= 1 && m_step <= 3 ? m_step + 1 : 1;
}

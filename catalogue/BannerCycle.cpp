#include "catalogue/BannerCycle.h"

#include "common/Module1.h"

QStringList BannerCycle::files()
{
    QStringList files;
    for (const QString &name : Module1::bannerFileNames())
        files.append(QStringLiteral("\\picture\\") + name);
    return files;
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

#include "common/Fonts.h"

#include <QStringList>

namespace Fonts {

namespace {
QFont make(const QStringList &families, double pointSize)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}
} // namespace

QFont liShu(double pointSize)
{
    return make({QStringLiteral("隶书"), QStringLiteral("LiSu"), QStringLiteral("AR PL UKai CN"),
                 QStringLiteral("WenQuanYi Zen Hei")},
                pointSize);
}

QFont kaiTi(double pointSize)
{
    return make({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi_GB2312"), QStringLiteral("楷体"),
                 QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei")},
                pointSize);
}

QFont songTi(double pointSize)
{
    return make({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                 QStringLiteral("WenQuanYi Zen Hei")},
                pointSize);
}

QFont fangSong(double pointSize)
{
    return make({QStringLiteral("仿宋_GB2312"), QStringLiteral("FangSong_GB2312"), QStringLiteral("仿宋"),
                 QStringLiteral("FangSong"), QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")},
                pointSize);
}

} // namespace Fonts

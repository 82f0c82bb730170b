#include "common/Fonts.h"

#include <QStringList>

namespace fonts {

namespace {

// Each face the windows are designed with: its Windows names, then the free faces that stand in for
// it, best first. The stand-ins:
// - 隶书: no free clerical face is packaged; LXGW WenKai, a brush-written regular script, is the
//   nearest in spirit, before the older AR PL UKai (which draws some characters in old forms, such
//   as 眞 for 真, and lacks 箓).
// - 楷体_GB2312: LXGW WenKai, then AR PL UKai.
// - 宋体: Noto Serif CJK SC, smooth at the small sizes of the lower pane and the buttons, then
//   AR PL UMing (whose embedded bitmaps leave small text unsmoothed).
// - 仿宋_GB2312 (imitation Song): Noto Serif CJK SC, as the free FangSong face covers traditional
//   characters only.
// WenQuanYi Zen Hei comes last everywhere: it has every character of the book.
struct Face {
    QStringList windowsNames;
    QStringList standIns;
};

const Face &liShuFace()
{
    static const Face face{
        {QStringLiteral("隶书"), QStringLiteral("LiSu")},
        {QStringLiteral("LXGW WenKai"), QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei")}};
    return face;
}

const Face &kaiTiFace()
{
    static const Face face{
        {QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi_GB2312"), QStringLiteral("楷体"),
         QStringLiteral("KaiTi")},
        {QStringLiteral("LXGW WenKai"), QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei")}};
    return face;
}

const Face &songTiFace()
{
    static const Face face{
        {QStringLiteral("宋体"), QStringLiteral("SimSun")},
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")}};
    return face;
}

const Face &fangSongFace()
{
    static const Face face{
        {QStringLiteral("仿宋_GB2312"), QStringLiteral("FangSong_GB2312"), QStringLiteral("仿宋"),
         QStringLiteral("FangSong")},
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")}};
    return face;
}

QFont make(const Face &face, double pointSize)
{
    QFont font;
    font.setFamilies(face.windowsNames + face.standIns);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

QFont liShu(double pointSize)
{
    return make(liShuFace(), pointSize);
}

QFont kaiTi(double pointSize)
{
    return make(kaiTiFace(), pointSize);
}

QFont songTi(double pointSize)
{
    return make(songTiFace(), pointSize);
}

QFont fangSong(double pointSize)
{
    return make(fangSongFace(), pointSize);
}

void installSubstitutes()
{
    for (const Face *face : {&liShuFace(), &kaiTiFace(), &songTiFace(), &fangSongFace()})
        for (const QString &name : face->windowsNames)
            QFont::insertSubstitutions(name, face->standIns);
}

} // namespace fonts

// The 奇门遁甲 chapter: the 真人步斗法 page, the 玉女反闭诀 overview and the five figure views.
// Every paragraph keeps its four-space indent; "    " alone is a blank paragraph.
#include "content/ContentTables.h"

namespace content::data {

const View &zhenRenBuDouView()
{
    static const View view = {
        nullptr, 78,
        {"    TODO", "    ", "    ", "    "},
        {"    斗咒：", "    TODO", "    TODO", "    TODO", "    TODO", "    TODO", "    TODO", "    "},
    };
    return view;
}

const View &yuNvFanBiView()
{
    static const View view = {
        nullptr, 77,
        {"    TODO",
         "    布阵步骤：",
         "    1、TODO",
         "    2、TODO",
         "    3、TODO",
         "    4、TODO",
         "    ",
         "    用阵方法：",
         "    1、TODO",
         "    2、TODO",
         "    3、TODO",
         "    4、TODO",
         "    5、TODO",
         "    "},
        {"    布阵咒：",
         "    1、起初布阵安筹咒：",
         "    TODO",
         "    2、启请咒：",
         "    X年X月X日X时TODO",
         "    3、四方咒：",
         "    TODO east",
         "    TODO south",
         "    TODO west",
         "    TODO north",
         "    4、移筹咒：",
         "    TODO",
         "    ",
         "    用阵咒：",
         "    1、吉事咒：",
         "    TODO",
         "    2、凶事咒：",
         "    TODO",
         "    3、玉女咒：",
         "    TODO",
         "    XXX上玉女TODO",
         "    "},
    };
    return view;
}

const std::vector<View> &figureViews()
{
    static const std::vector<View> views = {
        {"乙奇符式", 74,
         {"    用雷霹枣木方圆各一寸二分官雕此符为佳；如不然，但以黄素纸书之也可。"},
         {"    TODO", "    又咒：TODO", "    "}},
        {"丙奇符式", 75,
         {"    用雷霹枣木方圆各一寸二分官雕此符为佳；如不然，但以黄素纸书之也可。"},
         {"    TODO", "    又咒：TODO", "    "}},
        {"丁奇符式", 76,
         {"    用雷霹枣木方圆各一寸二分官雕此符为佳；如不然，但以黄素纸书之也可。"},
         {"    TODO", "    又咒：TODO", "    "}},
        {"禹罡式", 73,
         {"    TODO nine steps", "    TODO closing", "    ", "    "},
         {"    TODO", "    又咒：TODO", "    "}},
        {"四纵五横", 72,
         {"    TODO", "    "},
         {"    TODO  ", "    又咒：TODO ", "    "}},
    };
    return views;
}

} // namespace content::data

// Pages of the chapter 问世通灵, in list order.
// Every paragraph keeps its four-space indent; a paragraph of four spaces alone closes a section.
#include "content/ContentTables.h"

namespace content::data {

const std::vector<Row>& wenShiTongLingRows()
{
    static const std::vector<Row> rows = {
        // 1
        {"镇龙神法", 26, E, None,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 2
        {"镇伏尸杀伤之鬼法", 10, E, None,
         {"    TODO",
          "    TODO"},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 3
        {"镇天魔地覆法", 39, E, None,
         {"    TODO",
          "    TODO",
          "    "},
         {"    TODO"}},
        // 4
        {"令樟柳神童报吉凶灵符", 236, U, None,
         {"    TODO",
          "    "},
         {}},
        // 5
        {"令五鬼相随灵符", 244, I, W,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 6
        {"令人相思灵符", 221, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 7
        {"令人爱慕灵符", 228, U, None,
         {"    TODO",
          "    "},
         {}},
        // 8
        {"令人和好灵符", 229, U, None,
         {"    TODO",
          "    "},
         {}},
        // 9
        {"令男女相思灵符", 233, U, None,
         {"    TODO",
          "    "},
         {}},
        // 10
        {"令美人自来灵符", 234, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 11
        {"令梦中相会灵符", 235, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 12
        {"茶引春心符", 239, U, None,
         {"    TODO",
          "    "},
         {}},
        // 13
        {"男女移胎灵符", 231, U, None,
         {"    TODO",
          "    "},
         {}},
        // 14
        {"色摇大会符", 237, U, None,
         {"    TODO",
          "    "},
         {}},
        // 15
        {"掷骰得彩符", 238, I, None,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 16
        {"摄酒取食符", 240, I, None,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO"}},
        // 17
        {"无匙开锁灵符", 220, I, None,
         {"    TODO",
          "    TODO",
          "    TODO"},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
    };
    return rows;
}

} // namespace content::data

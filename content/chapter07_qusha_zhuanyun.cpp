// Pages of the chapter 驱煞转运, in list order.
// Every paragraph keeps its four-space indent; a paragraph of four spaces alone closes a section.
#include "content/ContentTables.h"

namespace content::data {

const std::vector<Row>& quShaZhuanYunRows()
{
    static const std::vector<Row> rows = {
        // 1
        {"镇诸凶星辰之鬼法", 19, E, Shared, {}, {}},
        // 2
        {"命宫关煞灵符（男）", 127, U, None,
         {"    TODO",
          "    "},
         {}},
        // 3
        {"命宫关煞灵符（女）", 129, U, None,
         {"    TODO",
          "    "},
         {}},
        // 4
        {"镇白衣煞灵符", 132, U, None,
         {"    TODO",
          "    "},
         {}},
        // 5
        {"镇麻衣煞灵符", 133, U, None,
         {"    TODO",
          "    "},
         {}},
        // 6
        {"镇羊刃星灵符", 136, U, None,
         {"    TODO",
          "    "},
         {}},
        // 7
        {"镇白虎星灵符", 137, U, None,
         {"    TODO",
          "    "},
         {}},
        // 8
        {"镇扫帚星灵符", 138, U, None,
         {"    TODO",
          "    "},
         {}},
        // 9
        {"镇披麻星灵符", 139, U, None,
         {"    TODO",
          "    "},
         {}},
        // 10
        {"镇望门鳏灵符", 130, U, None,
         {"    TODO",
          "    "},
         {}},
        // 11
        {"镇望门寡灵符", 131, U, None,
         {"    TODO",
          "    "},
         {}},
        // 12
        {"镇妻克夫灵符", 140, U, None,
         {"    TODO",
          "    "},
         {}},
        // 13
        {"镇夫克妻灵符", 141, U, None,
         {"    TODO",
          "    "},
         {}},
        // 14
        {"镇坟墓灵符", 142, U, None,
         {"    TODO",
          "    "},
         {}},
        // 15
        {"镇墓道冲破灵符", 143, U, None,
         {"    TODO",
          "    "},
         {}},
        // 16
        {"镇无端祸害之鬼灵法", 15, E, None,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 17
        {"保人口、安舍户法", 17, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 18
        {"镇人口损伤法", 18, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO"}},
        // 19
        {"压产耗鬼作祟法", 35, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 20
        {"大招官职法", 58, E, None,
         {"    TODO",
          "    TODO",
          "    "},
         {"    TODO"}},
        // 21
        {"金银自入富贵吉利法", 70, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO"}},
    };
    return rows;
}

} // namespace content::data

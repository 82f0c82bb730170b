// Pages of the chapter 修身养性, in list order.
// Every paragraph keeps its four-space indent; a paragraph of four spaces alone closes a section.
#include "content/ContentTables.h"

namespace content::data {

const std::vector<Row>& xiuShenYangXingRows()
{
    static const std::vector<Row> rows = {
        // 1
        {"镇官司缠身法", 56, E, None,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"},
         {"    TODO"}},
        // 2
        {"神仙火玩符", 242, I, None,
         {"    TODO",
          "    TODO",
          "    TODO"},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 3
        {"镇疫气百杂之鬼法", 63, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO"}},
        // 4
        {"镇子女夭折法", 8, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 5
        {"压肚腹饮食不下法", 64, E, None,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 6
        {"压疾病沉重并延福寿命法", 54, E, None,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO"}},
    };
    return rows;
}

} // namespace content::data

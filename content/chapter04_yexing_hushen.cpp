// Pages of the chapter 夜行护身, in list order.
// Every paragraph keeps its four-space indent; a paragraph of four spaces alone closes a section.
#include "content/ContentTables.h"

namespace content::data {

const std::vector<Row>& yeXingHuShenRows()
{
    static const std::vector<Row> rows = {
        // 1
        {"压鬼怪祟人法", 23, E, None,
         {"    TODO",
          "    TODO"},
         {"    TODO",
          "    TODO",
          "    TODO"}},
        // 2
        {"夜行护身灵符", 225, U, None,
         {"    TODO",
          "    "},
         {}},
        // 3
        {"镇出门凶煞灵符", 153, U, None,
         {"    TODO",
          "    "},
         {}},
        // 4
        {"禳狐祟迷人灵符", 180, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    "}},
        // 5
        {"禳鬼祟迷人灵符", 179, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    "}},
        // 6
        {"防渡江恐惶灵符", 198, U, None,
         {"    TODO",
          "    "},
         {}},
        // 7
        {"防恶犬吠啮灵符", 202, U, None,
         {"    TODO",
          "    "},
         {}},
        // 8
        {"压谋害之鬼法", 41, E, None,
         {"    TODO",
          "    "},
         {"    TODO"}},
    };
    return rows;
}

} // namespace content::data

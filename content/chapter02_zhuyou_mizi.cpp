// Pages of the chapter 祝由秘字, in list order.
// Every paragraph keeps its four-space indent; a paragraph of four spaces alone closes a section.
#include "content/ContentTables.h"

namespace content::data {

const std::vector<Row>& zhuYouMiZiRows()
{
    static const std::vector<Row> rows = {
        // 1
        {"数术功治病", 85, I, None,
         {"    TODO",
          "    TODO",
          "    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 2
        {"治病总符", 86, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 3
        {"治传染病秘字", 87, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    "}},
        // 4
        {"治呼吸系统病秘字", 88, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 5
        {"提高免疫力秘字", 89, N, W,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 6
        {"治三焦火胜秘字", 90, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 7
        {"治皮肤病秘字", 91, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    "}},
        // 8
        {"治精神疾病秘字", 92, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 9
        {"壮阳补肾秘字", 93, N, None,
         {"    治遗精。"},
         {"    莲子灯心下。"}},
        // 10
        {"治外感风寒秘字", 94, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 11
        {"治邪病秘字", 95, N, W,
         {"    TODO"},
         {"    TODO"}},
        // 12
        {"治小儿杂症秘字", 96, N, W,
         {"    TODO"},
         {"    TODO"}},
        // 13
        {"治脑风痧气等秘字", 97, N, W,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 14
        {"治各种疼痛秘字", 98, N, W,
         {"    TODO"},
         {"    TODO"}},
        // 15
        {"治耳目鼻喉舌牙秘字", 99, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    "}},
        // 16
        {"治耳目鼻喉舌牙再秘字", 100, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 17
        {"治耳目鼻喉舌牙又秘字", 101, N, W,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 18
        {"治消化系统病秘字", 102, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 19
        {"治消化系统病再秘字", 103, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    "}},
        // 20
        {"治消化系统病又秘字", 104, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 21
        {"治咬伤及外伤秘字", 105, N, W,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 22
        {"治咬伤及外伤又秘字", 106, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 23
        {"治疮痈肿毒秘字", 107, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO"}},
        // 24
        {"治疮痈肿毒再秘字", 108, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 25
        {"治疮痈肿毒又秘字", 109, N, W,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 26
        {"治妇产科疾病秘字", 110, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 27
        {"治妇产科疾病又秘字", 111, N, W,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    "}},
    };
    return rows;
}

} // namespace content::data

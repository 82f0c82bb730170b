// Pages of the chapter 治病驱魔, in list order.
// Every paragraph keeps its four-space indent; a paragraph of four spaces alone closes a section.
#include "content/ContentTables.h"

namespace content::data {

const std::vector<Row>& zhiBingQuMoRows()
{
    static const std::vector<Row> rows = {
        // 1
        {"压耗疾疫病连绵法", 62, E, None,
         {"    TODO",
          "    TODO"},
         {"    TODO"}},
        // 2
        {"镇不生子嗣灵符", 151, U, None,
         {"    TODO",
          "    "},
         {}},
        // 3
        {"立刻催生灵符", 215, U, None,
         {"    TODO",
          "    "},
         {}},
        // 4
        {"防堕胎难产灵符", 199, U, None,
         {"    TODO",
          "    "},
         {}},
        // 5
        {"压产妇胎坚之鬼法", 4, E, Shared, {}, {}},
        // 6
        {"镇狡兔食蚕腹肿夫妇不利法", 49, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    "}},
        // 7
        {"镇小儿夜啼灵符", 159, U, None,
         {"    TODO",
          "    "},
         {}},
        // 8
        {"防小儿夜啼灵符", 200, U, None,
         {"    TODO",
          "    "},
         {}},
        // 9
        {"防小儿遗尿灵符", 207, U, None,
         {"    TODO",
          "    "},
         {}},
        // 10
        {"除小儿睡魔灵符", 216, U, None,
         {"    TODO",
          "    "},
         {}},
        // 11
        {"防小儿天花灵符", 197, U, None,
         {"    TODO",
          "    "},
         {}},
        // 12
        {"除三阴疟疾", 118, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 13
        {"防疟疾缠染灵符", 201, U, None,
         {"    TODO",
          "    "},
         {}},
        // 14
        {"除兽鱼骨梗", 119, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 15
        {"防时疫流行灵符", 195, U, None,
         {"    TODO",
          "    "},
         {}},
        // 16
        {"镇脓血鬼灵符", 134, U, None,
         {"    TODO",
          "    "},
         {}},
        // 17
        {"镇寒热鬼灵符", 135, U, None,
         {"    TODO",
          "    "},
         {}},
        // 18
        {"除酒后眩晕灵符", 211, U, None,
         {"    TODO",
          "    "},
         {}},
        // 19
        {"除面上黑气灵符", 214, U, None,
         {"    TODO",
          "    "},
         {}},
        // 20
        {"除食物百毒灵符", 217, U, None,
         {"    TODO",
          "    "},
         {}},
        // 21
        {"压疾病口舌法", 61, E, None,
         {"    TODO",
          "    "},
         {"    TODO"}},
        // 22
        {"令人睡眠灵符", 230, I, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
        // 23
        {"镇梦寐惊人之鬼法", 12, E, Shared, {}, {}},
        // 24
        {"镇梦惊人无损法", 42, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO"}},
        // 25
        {"禳狐精交媾灵符", 182, U, None,
         {"    TODO",
          "    "},
         {}},
        // 26
        {"防诸邪鬼缠灵符", 196, U, None,
         {"    TODO",
          "    "},
         {}},
        // 27
        {"镇惊恐之鬼法", 24, E, None,
         {"    TODO",
          "    "},
         {"    TODO",
          "    TODO",
          "    TODO",
          "    TODO"}},
    };
    return rows;
}

} // namespace content::data

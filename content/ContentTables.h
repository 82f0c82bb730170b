#pragma once
// The book's constant tables, written one source file per chapter. Texts are UTF-8 literals; the
// catalogue turns them into its model once, on first use.

#include <vector>

namespace content::data {

enum Form : unsigned char { U, E, I, N };

// Marks of a row.
constexpr unsigned None = 0;
constexpr unsigned W = 1;      // the page asks for the double picture width
constexpr unsigned H = 2;      // the page carries its own heading title
constexpr unsigned Shared = 4; // the page is written out in the 镇宅兴家 chapter and shared here

struct Row {
    const char *name;
    int picture;
    Form form;
    unsigned marks;
    std::vector<const char *> upper;
    std::vector<const char *> lower;
    const char *headingTitle = nullptr;
};

const std::vector<Row> &zhuYouMiZiRows();
const std::vector<Row> &zhenZhaiXingJiaRows();
const std::vector<Row> &yeXingHuShenRows();
const std::vector<Row> &riChangSuoShiRows();
const std::vector<Row> &zhiBingQuMoRows();
const std::vector<Row> &quShaZhuanYunRows();
const std::vector<Row> &wenShiTongLingRows();
const std::vector<Row> &xiuShenYangXingRows();
const std::vector<Row> &yinShenFeiShengRows();

// The 奇门遁甲 chapter's page and panel views.
struct View {
    const char *headingTitle; // nullptr: the selected list item heads the view
    int picture;
    std::vector<const char *> upper;
    std::vector<const char *> lower;
};

const View &zhenRenBuDouView();         // list entry 真人步斗法
const View &yuNvFanBiView();            // the 玉女反闭诀 overview
const std::vector<View> &figureViews(); // 乙奇, 丙奇, 丁奇, 禹罡, 四纵五横, in button order

} // namespace content::data

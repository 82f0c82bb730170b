#pragma once
// How the installation's numbered pictures ("\picture\000.jpg" to "\picture\249.jpg") are laid
// out: the entry pages use every number outside the 奇门遁甲 block, the block holds the chapter's
// figures, its overview and its day charts. The picture generator draws from this table and the
// viewer shows from it; the build reads kPictureCount from this file too, so keep its line as it is.

namespace content::picturenumbers {

constexpr int kPictureCount = 250;

// The 奇门遁甲 block, 072 to 084: no entry page of the other chapters shows one of these.
constexpr int kQimenFirst = 72;
constexpr int kQimenLast = 84;

constexpr int kFourByFive = 72;      // 四纵五横
constexpr int kYuStep = 73;          // 禹罡式
constexpr int kFirstQiTalisman = 74; // 乙奇, 丙奇, 丁奇: 074 to 076
constexpr int kOverview = 77;        // the 玉女反闭诀 overview
constexpr int kDipperSteps = 78;     // 真人步斗法
constexpr int kFirstDayChart = 79;   // 子丑日 … 戌亥日: 079 to 084
constexpr int kDayCharts = 6;

constexpr bool inQimenBlock(int number)
{
    return number >= kQimenFirst && number <= kQimenLast;
}

} // namespace content::picturenumbers

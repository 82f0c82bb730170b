#include "content/Readings.h"

#include "content/Catalogue.h"

namespace content {

// The book's choices, longest words first where they overlap: a word is read as written here
// wherever it stands in an incantation.
const std::vector<ReviewedReading> &reviewedReadings()
{
    static const std::vector<ReviewedReading> readings = {
        // Words.
        {"急急如律令", "jí jí rú lǜ lìng"},
        {"长房", "cháng fáng"},
        {"成长", "chéng zhǎng"},
        {"将军", "jiāng jūn"},
        {"为吾", "wèi wú"},
        {"但为", "dàn wèi"},
        {"不为行凶", "bù wèi xíng xiōng"},
        {"不为邪用", "bù wèi xié yòng"},
        {"诸葛", "zhū gě"},
        {"文曲", "wén qǔ"},
        {"武曲", "wǔ qǔ"},
        {"地祇", "dì qí"},
        {"酆都", "fēng dū"},
        {"重门", "chóng mén"},
        {"咽喉", "yān hóu"},
        {"朝思暮想", "zhāo sī mù xiǎng"},
        {"隐没", "yǐn mò"},
        {"脱壳", "tuō qiào"},
        {"钥匙", "yào shi"},
        // Characters, wherever no word above covers them.
        {"敕", "chì"},
        {"罡", "gāng"},
        {"行", "xíng"},
        {"长", "cháng"},
        {"乐", "lè"},
        {"与", "yǔ"},
        {"中", "zhōng"},
        {"为", "wéi"},
        {"从", "cóng"},
        {"会", "huì"},
        {"似", "sì"},
        {"供", "gòng"},
        {"侯", "hóu"},
        {"分", "fēn"},
        {"别", "bié"},
        {"只", "zhǐ"},
        {"号", "hào"},
        {"同", "tóng"},
        {"和", "hé"},
        {"囊", "náng"},
        {"壳", "qiào"},
        {"处", "chù"},
        {"大", "dà"},
        {"宁", "níng"},
        {"寻", "xún"},
        {"将", "jiàng"},
        {"尽", "jìn"},
        {"屯", "tún"},
        {"应", "yìng"},
        {"当", "dāng"},
        {"往", "wǎng"},
        {"得", "dé"},
        {"恶", "è"},
        {"戌", "xū"},
        {"扫", "sǎo"},
        {"折", "zhé"},
        {"指", "zhǐ"},
        {"散", "sàn"},
        {"昏", "hūn"},
        {"更", "gēng"},
        {"正", "zhèng"},
        {"沉", "chén"},
        {"溺", "nì"},
        {"疟", "nüè"},
        {"相", "xiāng"},
        {"看", "kàn"},
        {"空", "kōng"},
        {"系", "jì"},
        {"结", "jié"},
        {"绕", "rào"},
        {"罗", "luó"},
        {"脏", "zàng"},
        {"舍", "shè"},
        {"芥", "jiè"},
        {"落", "luò"},
        {"血", "xuè"},
        {"见", "jiàn"},
        {"觉", "jué"},
        {"踏", "tà"},
        {"转", "zhuàn"},
        {"辟", "pì"},
        {"还", "huán"},
        {"通", "tōng"},
        {"遂", "suì"},
        {"邪", "xié"},
        {"量", "liàng"},
        {"间", "jiān"},
        {"降", "jiàng"},
        {"难", "nàn"},
        {"骨", "gǔ"},
    };
    return readings;
}

QStringList incantations()
{
    QStringList paragraphs;
    const Catalogue &book = Catalogue::instance();
    for (const Page *page : book.distinctPages())
        if (page->lower && page->lower->label == kLabelIncantation)
            paragraphs += page->lower->paragraphs;
    paragraphs += book.zhenRenBuDou().lower;
    paragraphs += book.yuNvFanBiOverview().lower;
    for (const QimenView &view : book.figureViews())
        paragraphs += view.lower;
    return paragraphs;
}

} // namespace content

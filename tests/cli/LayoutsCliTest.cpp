#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "CliRun.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

// One story in the three layouts the loader tells apart.
const std::vector<std::string> kParagraphs = {
    "Старик вышел на берег, когда над заливом ещё висел туман, и долго стоял у перил.",
    "Он смотрел на воду и думал о том, что весна в этом году придёт не скоро, как говорили все.",
    "Соседка выглянула из окна и покачала головой, но ничего не сказала ему в этот раз.",
    "Потом она всё-таки открыла створку пошире и позвала его по имени, громко и сердито.",
    "- Опять ты здесь, - сказала она наконец. - Шёл бы спать, ночь ещё...",
    "- Какая ночь, Варвара, - ответил он. - Уже светает, и чайки проснулись.",
    "На двери сарая висела табличка _З_а_к_р_ы_т_о_ и старое объявление о продаже лодки [1]",
    "Он вспомнил \"Морские рассказы\" отца и улыбнулся: та книга всё ещё стояла у него на полке.",
    "Потом он вернулся домой, поставил чайник и сел у окна, глядя, как просыпается пристань.",
};

// Real paragraphs run over several fixed-width lines.
const std::string kFiller = " Ветер с моря приносил запах соли и водорослей, а где-то далеко над водой кричали птицы.";

std::string FixedWidth() {
    std::string out;
    for (const auto& p0 : kParagraphs) {
        const std::string p = p0 + kFiller;
        std::string line = "   ";
        size_t start = 0;
        const std::string text = cp1251::FromUtf8(p);
        while (start < text.size()) {
            size_t end = text.find(' ', start);
            if (end == std::string::npos) end = text.size();
            if (line.size() > 3 && line.size() + (end - start) > 60) {
                out += line + "\r\n";
                line.clear();
            }
            if (!line.empty() && line != "   ") line += ' ';
            line += text.substr(start, end - start);
            start = end + 1;
        }
        out += line + "\r\n";
    }
    return out;
}

std::string OneLinePerParagraph() {
    std::string out;
    for (const auto& p : kParagraphs) out += cp1251::FromUtf8(p + kFiller) + "\r\n";
    return out;
}

std::string Html() {
    std::string out = "<html><head><title>Test</title></head><body>\r\n";
    for (const auto& p : kParagraphs) out += "<p>" + cp1251::FromUtf8(p + kFiller) + "</p>\r\n";
    return out + "</body></html>\r\n";
}

size_t Count(const std::string& hay, const std::string& needle) {
    size_t n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
}

TEST(LayoutsCli, EachLayoutBecomesTheSameJustifiedParagraphs) {
    const fs::path dir = fs::temp_directory_path() / ("pellmark-layouts-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::pair<const char*, std::string> books[] = {
        {"fixed.txt", FixedWidth()}, {"lines.txt", OneLinePerParagraph()}, {"page.html", Html()}};
    for (const auto& [name, bytes] : books) {
        const std::string path = (dir / name).string();
        ASSERT_TRUE(WriteFileAtomic(path, bytes));
        const CliResult r = RunCli("convert " + ShellQuote(path) + " --no-config -o -");
        ASSERT_EQ(r.code, 0) << name << ": " << r.err;
        const std::string doc = cp1251::ToUtf8(r.out);
        EXPECT_EQ(Count(doc, "<div align=\"justify\">&nbsp;&nbsp;"), kParagraphs.size()) << name;
        EXPECT_NE(doc.find("«Морские рассказы»"), std::string::npos) << name;
        EXPECT_NE(doc.find("&nbsp;&nbsp;–&nbsp;Опять ты здесь, – сказала"), std::string::npos) << name;
        EXPECT_NE(doc.find("ночь ещё… Ветер"), std::string::npos) << name;
        EXPECT_NE(doc.find("<I>Закрыто</I>"), std::string::npos) << name;
        EXPECT_NE(doc.find("&nbsp;<SUP>1</SUP>"), std::string::npos) << name;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace pm::test

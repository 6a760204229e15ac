// Prints src/quiz/screen_layouts.cpp: the rectangles of every question screen
// and explanation dialog, fitted to the texts of the question bank with the
// fonts the program uses. Run it after changing a text:
//   build/tools/lay-out-screens > src/quiz/screen_layouts.cpp

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "quiz/question_bank.h"
#include "ui/design.h"
#include "ui/fonts.h"

namespace {

using ui::pixels;

const ui::FontSpec kText{"MS Sans Serif", 12};
const ui::FontSpec kChoice{};
constexpr int kIndicator = 20;  // radio button circle and gap, pixels

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Height in twips the text needs, word-wrapped at the width in twips. It is
// measured a little narrower than it will be drawn, so that a machine whose
// stand-in font breaks lines differently still finds room.
int heightFor(const ui::FontSpec& font, std::string_view text, int widthTwips, int extraPixels = 0)
{
    QFontMetrics fm(ui::font(font));
    const int slack = pixels(widthTwips) / 16;
    const int px = fm.boundingRect(QRect(0, 0, pixels(widthTwips) - extraPixels - slack, 10000),
                                   Qt::TextWordWrap, qs(text)).height();
    return px * ui::kTwipsPerPixel;
}

// Where a slot stands in the two-by-two grid of choices: {row, column}.
std::pair<int, int> cell(int question, int slot)
{
    static const std::pair<int, int> usual[4] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    static const std::pair<int, int> fifth[4] = {{1, 1}, {1, 0}, {0, 1}, {0, 0}};
    static const std::pair<int, int> readingOrder[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    if (question == 5) return fifth[slot];
    if (question == 14 || question == 18) return readingOrder[slot];
    return usual[slot];
}

int roundUp(int twips, int step) { return (twips + step - 1) / step * step; }

// Labels grow in steps of 120 twips from their smallest designed height.
int labelHeight(int needed, int smallest, int largest)
{
    int h = smallest;
    while (h < needed + 30 && h + 120 <= largest) h += 120;
    return h;
}

void choiceScreen(int n)
{
    const quiz::Question& q = *quiz::find(n);
    const bool first = n == 1, tall = n == 16;
    const int left = first ? 120 : 240, top = first ? 120 : 240;
    const int width = first ? 3840 : 4215;
    // The first screen's choices start at 720, right under its question.
    const int height = first ? std::max(375, heightFor(kText, q.prompt, width) + 30)
                             : labelHeight(heightFor(kText, q.prompt, width), 375, 855);
    const int optionHeight = tall ? 735 : 495;
    int row1 = first ? 720 : std::max(840, roundUp(top + height + 90, 120));
    if (tall) row1 = std::max(row1, 960);
    const int row2 = first ? 1320 : row1 + optionHeight + (tall ? 45 : 105);
    const int cols[2] = {240, first ? 2160 : 2400};
    const int widest[2] = {cols[1] - 240 - 60, (first ? 4080 : 4680) - cols[1] - 120};
    std::printf("    {.number = %d,\n", n);
    if (n == 2 || n == 3) std::printf("     .questionLabel = \"question\",\n");
    std::printf("     .question = {%d, %d, %d, %d},\n", left, top, width, height);
    std::printf("     .options = {");
    for (int slot = 0; slot < 4; ++slot) {
        const auto [row, col] = cell(n, slot);
        QFontMetrics fm(ui::font(kChoice));
        const int oneLine = (fm.horizontalAdvance(qs(q.choices[slot])) + kIndicator + 4) * ui::kTwipsPerPixel;
        int w = std::clamp(roundUp(oneLine, 120) - 105, 1215, widest[col]);
        // Too long for one line: use the whole column and wrap.
        if (oneLine > w) w = widest[col];
        std::printf("%s{%d, %d, %d, %d}", slot ? ", " : "", cols[col], row ? row2 : row1, w,
                    optionHeight);
    }
    std::printf("},\n");
    if (n == 4) std::printf("     .optionTabs = {5, 3, 4, 6},\n");
    if (n == 3) std::printf("     .next = \"Command2\",\n");
    if (n == 9) std::printf("     .nextCaption = \"&Next question\",\n");
    if (n <= 6 || n == 9) std::printf("     .quit = \"exit\",\n");
    if (n == 10) std::printf("     .quitCaption = \"&Exit\",\n");
    if (first)
        std::printf("     .width = 4080, .height = 2685, .buttonTop = 2040, .quitLeft = 120, .nextLeft = 2520,\n");
    std::printf("    },\n");
}

void statementScreen(int n)
{
    const quiz::Question& q = *quiz::find(n);
    const int top = (n == 32 || n == 48) ? 120 : 240;
    // The narrowest designed width that needs no more lines than the widest.
    const int widths[] = {3855, 3975, 4095, 4215};
    const int least = heightFor(kText, q.prompt, 4215);
    int width = 4215;
    for (int w : widths)
        if (heightFor(kText, q.prompt, w) <= least) { width = w; break; }
    const int height = labelHeight(least, 615, 975);
    std::printf("    {.number = %d, .statement = {240, %d, %d, %d}", n, top, width, height);
    if (n == 21 || n == 48) std::printf(", .buttonTop = 1440");
    if (n == 35) std::printf(", .buttonTop = 1680");
    if (n == 24) std::printf(", .falseLeft = 2880");
    if (n == 21 || n == 24 || n == 30 || n == 32 || n == 34 || n == 35 || n == 36) std::printf(", .quitLeft = 1560");
    if (n == 38 || n == 40) std::printf(", .quitLeft = 1800");
    std::printf("},\n");
}

void explanation(int n)
{
    if (n == 1) return void(std::printf("    {3510, 1380, {240, 120, 3015, 495}, {1080, 840, 1215, 375}},\n"));
    if (n == 16) return void(std::printf("    {4590, 2520, {120, 120, 4455, 855}, {2760, 1920, 1215, 375}},\n"));
    const quiz::Question& q = *quiz::find(n);
    const int left = n == 3 ? 120 : 240, top = 120;
    // Short texts get a narrow dialog, long ones a wide one.
    int width = 5295;
    for (int w : {2895, 3615, 4335, 5295})
        if (heightFor(kText, q.explanation, w) <= 4 * 19 * ui::kTwipsPerPixel) { width = w; break; }
    const int height = labelHeight(heightFor(kText, q.explanation, width), 375, 2175);
    const int client = left * 2 + width + (n == 3 ? 120 : 0);
    const int okTop = top + height + 240;
    std::printf("    {%d, %d, {%d, %d, %d, %d}, {%d, %d, 1215, 375}},\n", client, okTop + 375 + 240, left, top,
                width, height, roundUp((client - 1215) / 2 - 59, 120), okTop);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    std::printf("#include \"explanation_dialogs.h\"\n#include \"question_screens.h\"\n\n"
                "// Generated by tools/lay_out_screens.cpp: the rectangles of every question\n"
                "// screen and explanation dialog, fitted to the question bank's texts.\n\n"
                "namespace quiz {\n\nconst ChoiceScreen kChoiceScreens[20] = {\n");
    for (int n = 1; n <= 20; ++n) choiceScreen(n);
    std::printf("};\n\nconst StatementScreen kStatementScreens[30] = {\n");
    for (int n = 21; n <= 50; ++n) statementScreen(n);
    std::printf("};\n\nconst ExplanationLayout kExplanationLayouts[50] = {\n");
    for (int n = 1; n <= 50; ++n) explanation(n);
    std::printf("};\n\n}  // namespace quiz\n");
}

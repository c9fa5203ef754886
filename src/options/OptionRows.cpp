#include "options/OptionRows.h"

#include "config/Localization.h"

namespace pm {
namespace {

using K = RowKind;

constexpr OptionRow kRows[kRowCount] = {
    {"Configuration", K::Group, 0, "", "", "", ""},
    {"Document general", K::Group, 0, "", "", "", ""},
    {"Author", K::Value, 2, "infoAuthor", "Type in the Author. This informatiom will be added to document header",
     "LabelAuthor", "Enter the Author's name"},
    {"Title", K::Value, 3, "infoTitle", "Type in the Title. This informatiom will be added to html header",
     "LabelTitle", "Enter the Title"},
    {"Short title", K::Value, 10, "infoShortTitle",
     "Type in the short title. This informatiom will be added to html header and will be visible in Rocket "
     "Bookshelf",
     "labelShortTitle", "Enter the short title"},
    {"Comment", K::Value, 15, "InfoComment",
     "Type in the coment. This informatiom will be added to the end of the document.", "LabelComment",
     "Enter the comment"},
    {"Cover page (312x465 PNG)", K::Value, 16, "InfoPNG",
     "You may enter filename (relative) to PNG image to be inserted at the document start", "LabelPNG",
     "Enter the file name"},
    {"Add \"&nbsp;\" to paragraphs", K::Value, 1, "infoSpaces",
     "Choose, if program will add spaces at the start of each created paragraph, and how many spaces should be "
     "added",
     "LabelSpaces", "Enter the number of \"&&nbsp;\"'s"},
    {"Hyphenate", K::ToggleWithValues, 13, "infoHyph",
     "Set options to insert hyphenation in text. Hyphenation depends on your device and font. Try using &shy; as "
     "hyph symbol.",
     "LabelHyph", "Choose font"},
    {"Multiple files (TOC+parts)", K::Toggle, 0, "InfoBreakApart",
     "The text is broken to TOC-file and the number of files (one file for each TOC item). Very useful for slow "
     "computers.",
     "", ""},
    {"HTML translation", K::Group, 0, "", "", "", ""},
    {"Remove all html tags", K::Toggle, 0, "", "", "", ""},
    {"Remove all links", K::Toggle, 0, "InfoA", "Removes from text all links (\"<A...>\" tags)", "", ""},
    {"Remove all graphics", K::Toggle, 0, "InfoIMG", "Removes from text all \"<img...>\" tags (graphic)", "", ""},
    {"Remove all forms and scripts", K::Toggle, 0, "InfoForm", "Removes from text all forms and scripts.", "", ""},
    {"Remove all <pre> tags", K::Toggle, 0, "InfoPre",
     "Removes from text all \"<pre>\" tags, used to format text for fixed width fonts whithout other HTML-tags.",
     "", ""},
    {"Remove all <span> tags", K::Toggle, 0, "InfoSpan",
     "Removes all <span> tags. Usefull for working with MS Office-generated files.", "", ""},
    {"Remove all <font> tags", K::Toggle, 0, "InfoFont", "Removes all <font> tags. Makes old html plain.", "", ""},
    {"Remove all styles & classes", K::Toggle, 0, "InfoStyle",
     "Removes all \"style\" and \"class\" attributes from all tags. Usefull for working with MS Office-generated "
     "files.",
     "", ""},
    {"Convert <p> to <div>", K::Toggle, 0, "InfoP",
     "Replaces \"<p>\" paragraph tags in text with program defined tag. You can set a custom paragraph tag, and it "
     "will replace all \"<p>\" tags in the text.",
     "", ""},
    {"Convert <br> tags to paragraphs", K::Toggle, 0, "InfoBr",
     "Reformats all \"<br>\"-ended paragraphs in text (line breaks) with custom program defined paragraph tag. You "
     "can set a custom paragraph tag, and it will be set instead of \"<br>\"",
     "", ""},
    {"Add &nbsp; to existing paragraphs (where none)", K::Toggle, 0, "", "", "", ""},
    {"Paragraph autodetection", K::Group, 0, "", "", "", ""},
    {"Strings longer than 80", K::ToggleWithValues, 4, "InfoLonger",
     "Line longer than selected will be converted into paragraph. This is useful for ms-dos like text with no "
     "formating",
     "labelMinLength", "Enter the minimum length"},
    {"Strings shorter than 80", K::ToggleWithValues, 5, "infoShorter",
     "Line shorter than selected will be converted to paragraph. This is useful for ms-dos like text with no "
     "formating",
     "LabelShorter", "Enter the maximum length"},
    {"Spaces before line", K::Toggle, 0, "InfoSp", "Threat lines started with spaces as start of paragraph.", "",
     ""},
    {"Dialogs (- strings)", K::Toggle, 0, "InfoLine", "Threat lines started with \"-\" as start of paragraph.", "",
     ""},
    {"Empty lines", K::Toggle, 0, "InfoEmptyP", "Threat empty lines as paragraph dividers.", "", ""},
    {"2 and more empty lines to <br>", K::ToggleWithValues, 12, "infoEmpty",
     "If there are empty lines in text, you can preserve them. Set the number of lines, you want to replace and "
     "replace text (<br> - default",
     "LabelEmpty", "Enter the number and replace text"},
    {"Try to detect epigraphs", K::ToggleWithValues, 14, "infoEpigraph",
     "Enter open and close tags for epigraphs found. Program automaticaly adds <i> tag and break before author's "
     "name",
     "LabelEpigr", "Edit tags"},
    {"Restore broken paragraphs", K::Toggle, 0, "InfoRestore",
     "Closes paragraph only if it has [\".\",\"?\", etc] at the end. Uncheck if paragraphs end with spaces or other "
     "chars.",
     "", ""},
    {"Custom paragraph tag", K::ToggleWithValues, 9, "InfoDIv",
     "This will be used instead of defaul <div align=\"justify\">Text</div> It is recomended to use <div "
     "align=\"left\"> or <div align=\"justify\"> </div> combination",
     "LabelDiv", "Enter the open and close tags"},
    {"Headers", K::Group, 0, "", "", "", ""},
    {"Try to detect headers", K::Toggle, 0, "InfoH",
     "The program will try to detect headers, having no HTML \"<h#>\" tags.", "", ""},
    {"Create zero-height <hr> for <h1>", K::Toggle, 0, "InfoHR",
     "Zero-height <hr> before  header will start a new page in rocket e-book. Very useful", "", ""},
    {"Generate table of content", K::Toggle, 0, "InfoTOC",
     "At the start of the document will be created hyper linked table of content.", "", ""},
    {"Custom header tag", K::ToggleWithValues, 6, "infoheadTag",
     "Type in the open and close tags for default head to bee entered. This will be used instead of defaul "
     "<h1>Text</h1> It is recomended to use <h1 align=\"center\"> </h1> combination",
     "LabelHeadTag", "Enter the open and close tags"},
    {"Text formatting", K::Group, 0, "", "", "", ""},
    {"Convert _T_e_x_t_ to italic", K::Toggle, 0, "InfoI",
     "Usually in plain text is used \"_\" symbol to show italic text. Italic text will be formated using \"<i>\" "
     "tag.",
     "", ""},
    {"Convert [text] to upper index", K::Toggle, 0, "InfoUp", "Converts descriptions to upper index.", "", ""},
    {"\"quotes\" to \xABquotes\xBB", K::Toggle, 0, "InfoQ",
     "Creates cool quotes instead of inches. Strongly recommended for russian texts.", "", ""},
    {"Short - to long --", K::Toggle, 0, "InfoDefis", "Just use it :)", "", ""},
    {"... three points to ASCI 133", K::Toggle, 0, "Info3Point", "Saves for you 2 bytes and takes less space.", "",
     ""},
    {"General", K::Group, 0, "", "", "", ""},
    {"Font for source editor", K::Value, 7, "InfoEditorFont", "Select a font for editor", "LabelEditorFont",
     "Choose font:"},
    {"Font for html editor", K::Value, 8, "InfoEditorFont", "Select a font for editor", "LabelEditorFont",
     "Choose font:"},
    {"Word wrap  for source editor", K::Toggle, 0, "", "", "", ""},
    {"Word wrap for html editor", K::Toggle, 0, "", "", "", ""},
    {"Use html editor", K::Toggle, 0, "", "", "", ""},
    {"Use source editor", K::Toggle, 0, "", "", "", ""},
    {"Independent browser width", K::Toggle, 0, "", "", "", ""},
    {"Confirm table of content", K::Toggle, 0, "", "", "", ""},
    {"Ask about Title", K::Toggle, 0, "", "", "", ""},
    {"Try to get author from title", K::Toggle, 0, "", "", "", ""},
    {"Use system %temp%", K::Toggle, 0, "InfoSaveToTemp",
     "Strongly recommended unless your documents have graphics inside. Temporary are stored inside of system "
     "temporary folder instead of open document's folder",
     "", ""},
    {"Integrate with shell", K::Toggle, 0, "InfoIntegrate",
     "Adds items \"Read with Pellmark\" and \"Parce with Pellmark\" to the shell menus for TXT and HTML files.", "",
     ""},
    {"Language", K::Group, 0, "", "", "", ""},
    {"Safe text loading (slower)", K::Toggle, 0, "", "", "", ""},
    {"Select language", K::Value, 11, "infoLang",
     "Select a language to use. You should not change this value unless you have problems", "labelLang",
     "Choose language"},
};

}  // namespace

std::span<const OptionRow> OptionRows() { return kRows; }

void FillTreeRowDefaults(InterfaceTexts& texts) {
    texts.treeRows.clear();
    for (const OptionRow& row : kRows) texts.treeRows.emplace_back(row.caption);
}

}  // namespace pm

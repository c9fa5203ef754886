#include "app/TitleStep.h"

#include "app/TMain.h"
#include "pipeline/Title.h"

namespace pm {
namespace {

bool AskDocumentProperties(TMain& main) {
    DocPropertiesRequest req;
    req.values = main.doc;
    req.addAuthorToTitle = main.settings.AddAuthorToTitle;
    req.makeLatin = main.settings.MakeShortTitleLatin;
    req.nameParts = main.templates.XmlOutputMode();
    if (!main.ui.questions->AskDocProperties(req)) return false;
    main.settings.AddAuthorToTitle = req.addAuthorToTitle;
    main.settings.MakeShortTitleLatin = req.makeLatin;
    main.doc.title = req.values.title;
    main.doc.shortTitle = req.values.shortTitle;
    main.doc.author = req.values.author;
    main.doc.firstName = req.values.firstName;
    main.doc.middleName = req.values.middleName;
    main.doc.lastName = req.values.lastName;
    return true;
}

}  // namespace

bool TitleAndAuthorStep(TMain& main, const std::string& text) {
    main.ui.status->Status(main.texts.Task("SearchingForTitle"));
    DocValues& doc = main.doc;
    const DocValues before = doc;
    doc.title.clear();
    doc.author.clear();
    // Name parts of the previous book never carry over to this one.
    doc.firstName.clear();
    doc.middleName.clear();
    doc.lastName.clear();

    DetectedTitle found = DetectTitle(text);
    doc.title = std::move(found.title);
    doc.author = std::move(found.author);
    if (main.settings.TrySplitTitle) SplitTitle(doc.title, doc.author);
    doc.shortTitle = MakeShortTitle(main.settings, doc.title, doc.author);
    if (main.templates.XmlOutputMode()) SplitAuthor(doc);

    if (!main.settings.AskAboutTitle) return true;
    if (main.xmlDescriptionLoaded && main.frontEnd().EditBookDescription(MakeBookDescriptionPrefill(doc, text)))
        return true;
    if (AskDocumentProperties(main)) return true;
    doc = before;
    return false;
}

}  // namespace pm

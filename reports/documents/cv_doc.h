#pragma once
// TCvDoc: the program's printable documents (company report, newsletter,
// market studies, decisions, budget, marketing plan, the hard copy of a page)
// on the spreadsheet document TXlDoc. A builder opens the document for its
// caller's context (OpenDocument: headers, footers, cover page), builds each
// report screen in document mode with the document's own copy of the context,
// appends the screens' tables under section headings, and closes it
// (CloseDocument): the file named by DocFileName in the team's private
// directory, printed when the output flags ask for it.
//
// Texts come from the globals section by line number, their @-tokens expanded
// for DocContext.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "reports/documents/doc_kinds.h"
#include "ui/document/xl_doc.h"
#include "ui/report/cv_screen.h"

class QWidget;

namespace cv {

// Every document is portrait, 65 rows a page and 10 page columns wide.
inline constexpr int kDocRowsPerPage = 65;
inline constexpr int kDocPageColumns = 10;

class TCvDoc : public TXlDoc {
public:
    // The configured header and footer lines (section "Documents" of the
    // settings file, "HeaderLine1".."HeaderLine5" and "FooterLine1".."FooterLine5")
    // are printed on every cover page; without that section there are none.
    explicit TCvDoc(QWidget* owner);

    // The document's own copy of its caller's context: every screen is built
    // with it and every text expanded for it.
    TDataContext DocContext;

    const std::vector<std::string>& HeaderLines() const { return headerLines_; }
    const std::vector<std::string>& FooterLines() const { return footerLines_; }
    QWidget* Owner() const { return owner_; }

    // Line LineNo of Key in Section with its tokens expanded; a single blank
    // for a line number below 1.
    std::string GetDocText(int section, const std::string& key, int lineNo) const;
    // The page header from lines of "Headers"; 0 leaves a part empty.
    void AddDocHeaders(int left, int centre, int right);
    // The page footer from lines of "Footers"; the centre part is the
    // program's title and version before its line.
    void AddDocFooters(int left, int centre, int right);
    // Heading LineNo of "Sections": on a new page, or after one blank row.
    void AddSectionTitle(int lineNo, bool newPage);
    // The heading of a market study (its label in capitals, then "MISC"
    // line 5) or of a zone study (its label in capitals), by its key.
    void AddStuMktTitle(const std::string& key, bool newPage);
    void AddStuFtaTitle(const std::string& key, bool newPage);
    // The cover page: the five texts of "CoverPages" (0: a blank), the
    // instructor's custom message, the logo of LogoPath (none when empty or
    // unreadable), the configured header and footer lines.
    void AddCoverPage(const std::array<int, 5>& coverLines, const std::string& logoPath);

    // Builds Screen with DocContext and appends its table unless it has
    // nothing to show; frees it. Returns whether a table was appended.
    bool AddScreenOnce(std::unique_ptr<TCVScreen> screen);
    // The same screen built and appended for each market of the industry in
    // turn (DocContext's market set to it); frees it afterwards.
    void AddScreenPerMarket(std::unique_ptr<TCVScreen> screen);
    // Appends the table of a screen already built (as a page shows it) unless
    // it is empty; neither builds nor frees it.
    bool AddBuiltScreen(const TCVScreen& screen);
    // A report screen of class Screen and Kind made for this document (not built yet).
    template <class Screen, class Kind = int>
    std::unique_ptr<Screen> DocScreen(Kind kind) const {
        return TCVScreen::Create<Screen>(owner_, DocContext, kind, kDocumentLayout);
    }

    // The opening of a builder: DocContext := Context with the kind's current
    // and decision periods, an empty document, the kind's headers and
    // footers, and its cover page.
    void OpenDocument(TDocKind kind, const TDataContext& context);
    // The closing: the kind's file of DocContext's selected period and firm
    // written and/or printed as OutputFlags say (TXlDoc::PrintOrSave).
    bool CloseDocument(TDocKind kind, int outputFlags, int copies);

    // Body(z) for each zone of the industry, with DocContext's zone set to z.
    template <class Body>
    void ForEachZone(Body&& body) {
        for (int zone = 1; zone <= ZoneCount(); ++zone) {
            DocContext.SelFta = static_cast<std::int16_t>(zone);
            body(zone);
        }
    }
    // Body(m) for each market of the industry, with DocContext's market set to m.
    template <class Body>
    void ForEachMarket(Body&& body) {
        for (int market = 1; market <= MarketCount(); ++market) {
            DocContext.SelMarket = static_cast<std::int16_t>(market);
            body(market);
        }
    }
    // The open industry's zones and markets; 0 without one.
    static int ZoneCount();
    static int MarketCount();

private:
    QWidget* owner_;
    std::vector<std::string> headerLines_;
    std::vector<std::string> footerLines_;
};

// The document's file: the private directory, the industry's data name (its
// file name up to the first "."), the kind letter, the first letter of
// DocContext's firm when FirmSwitch is above 0, the period in two digits and
// ".xlsx".
std::string DocFileName(const TCvDoc& doc, char letter, int period, int firmSwitch);

}  // namespace cv

#pragma once

#include "core/util/Status.h"

#include "core/store/DataDirectory.h"

#include <QString>

namespace wareloom {

// How the published site looks, kept in Website.ini in the data directory
// (group [Website]), apart from the fixed-size FTP settings file. A text that
// is not set leaves the classic pages exactly as they always were.
class WebsiteSettings
{
public:
    enum class Style { Classic, Modern };
    // What the modern pages do with an item whose quantity is 0.
    enum class SoldOut { Mark, Hide };

    // Reads Website.ini; what it lacks (or the whole file) takes the defaults.
    static WebsiteSettings load(const DataDirectory& store);
    // Replaces Website.ini; an empty text is stored as not set. A contact
    // address that checkContactEmail refuses is not stored.
    Status save(const DataDirectory& store) const;
    // One address for a mail link: one @ with text on both sides, no spaces,
    // line breaks, separators or characters a mail link cannot carry.
    static Status checkContactEmail(const QString& address);
    static QString filePath(const DataDirectory& store);

    // Empty when not set.
    QString contactEmail;
    QString shopName;
    Style style = Style::Classic;
    // The modern pages only: a symbol or ISO code ("€", "EUR"), placed as
    // the locale ("de_DE") writes prices; empty: prices as written.
    QString currency;
    QString locale;
    SoldOut soldOut = SoldOut::Mark;

    // What the pages show: the set text, else the classic page's own.
    QString contactEmailShown() const;
    QString shopNameShown() const;
};

// The title the classic main page has always carried (its address is
// SalesEmailAddress).
inline constexpr char DefaultShopName[] = "Wareloom - Publisher";

} // namespace wareloom

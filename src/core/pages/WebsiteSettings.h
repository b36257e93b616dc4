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

    // Reads Website.ini; what it lacks (or the whole file) takes the defaults.
    static WebsiteSettings load(const DataDirectory& store);
    // Replaces Website.ini; an empty text is stored as not set.
    Status save(const DataDirectory& store) const;
    static QString filePath(const DataDirectory& store);

    // Empty when not set.
    QString contactEmail;
    QString shopName;
    Style style = Style::Classic;

    // What the pages show: the set text, else the classic page's own.
    QString contactEmailShown() const;
    QString shopNameShown() const;
};

// The title the classic main page has always carried (its address is
// SalesEmailAddress).
inline constexpr char DefaultShopName[] = "Wareloom - Publisher";

} // namespace wareloom

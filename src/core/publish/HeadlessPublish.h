#pragma once

#include "core/publish/PublishRun.h"

namespace wareloom {

// Publishing the data directory store without a window (-Publish, or -Generate for the pages only):
// progress and errors go to standard error. Returns the exit status, 0 when
// everything was written (and uploaded). makeThumbnail makes the thumbnails
// of the modern pages.
int runHeadlessPublish(const DataDirectory& store, bool generateOnly, PublishOptions options = {},
                       const ThumbnailMaker& makeThumbnail = {});

// -Check: checks the website on the host (SiteCheck); the findings go to
// standard output. 0 when it is whole, 1 when not (or the host could not be
// listed), otherwise as runHeadlessPublish.
int runHeadlessCheck(const DataDirectory& store);

} // namespace wareloom

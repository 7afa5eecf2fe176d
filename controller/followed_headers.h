// The headers of a C or C++ source as they are on disk now, for the build
// record: the scan of common/include_scan over files read here.
#ifndef KILN_CONTROLLER_FOLLOWED_HEADERS_H
#define KILN_CONTROLLER_FOLLOWED_HEADERS_H

#include "common/include_scan.h"

// The source (a full path, possibly quoted) and its quoted includes; for a
// source of another language nothing is followed and the result is complete.
include_scan::Result FollowHeaders(const char* source);

#endif

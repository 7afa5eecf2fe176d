// atcoder-tools' folder: metadata.json beside the source says how the
// problem is judged and names the sample cases beside it ("in_1.txt" with
// "out_1.txt" by default).
#ifndef KILN_RUNNER_METADATA_CASES_H
#define KILN_RUNNER_METADATA_CASES_H

#include <string>
#include <vector>

#include "common/judge_metadata.h"
#include "runner/sample_cases.h"

namespace runner {

struct MetadataFile {
    bool usable = false;               // read and as atcoder-tools writes it
    std::string problem;               // what is wrong with one that is there but not usable
    judge_metadata::Metadata metadata;  // the plain comparison unless usable
};

// The current folder's metadata.json; none there is neither usable nor a problem.
MetadataFile ReadMetadata();

// The current folder's files that the patterns name, in natural order, each
// named by its input file's name up to the end of the pattern's '*'.
std::vector<SampleCase> CasesByPattern(const judge_metadata::Metadata& metadata);

}  // namespace runner

#endif

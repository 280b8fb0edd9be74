#pragma once
// The ME firmware version from a CSE manifest ("$MN2", vendor 0x8086) in the ME region.
#include <optional>
#include <vector>

#include "firmware/byte_reader.h"
#include "firmware/image_facts.h"

namespace firmware {

// The version of the first manifest lying wholly inside `area`; tags without the vendor word
// are skipped.
std::optional<MeVersion> FirstManifestVersion(Bytes area);

// The partition named FTPR of a partition table ("$FPT" at the region's start or 16 bytes
// in), when the table has one that lies inside the region.
std::optional<Bytes> FtprPartition(Bytes region);

// The offsets (from the region's start) of the partition table's entries whose partition
// does not lie inside the region; an empty entry (length 0, or offset 0xFFFFFFFF as erased
// flash reads) points nowhere and is not one. At most kMaxFindingsOfAKind, in table order.
std::vector<size_t> EntriesOutsideRegion(Bytes region);

// The version of the region's firmware: the first manifest of its FTPR partition, otherwise
// the first manifest anywhere in the region.
std::optional<MeVersion> ReadMeVersion(Bytes region);

// What does not hold in a region with a partition table, as findings at offsets from the
// region's start: a header whose length (below 0x20, or past the region), entry count (more
// entries than the region holds) or checksum (the header's bytes do not sum to 0) fails
// (fpt-header, at the marker); no FTPR entry (me-manifest, at the marker), or one whose
// partition runs out of the region (me-manifest, at the entry); an FTPR partition without a
// manifest of Intel's (me-manifest, at the partition), or whose first such manifest's version
// runs out of it (me-manifest, at the tag). A region without a table gives none.
std::vector<Finding> PartitionTableFindings(Bytes region);

}  // namespace firmware

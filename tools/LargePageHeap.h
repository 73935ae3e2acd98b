// The tool's heap in the kernel's large pages where it offers them.
#pragma once

namespace xelo::tool {

// Call first in main. A picture's buffers (and the copy libheif makes of a HEIF file's coded
// picture) are touched once, page by page; in 4 KB pages the page faults outweigh the
// decoding of a small picture, the more so under a hypervisor. Buffers below 32 MB come from the
// program's heap, which is reserved up front and marked for 2 MB pages. Without transparent
// huge pages this changes nothing.
void UseLargePageHeap();

}  // namespace xelo::tool

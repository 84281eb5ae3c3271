#pragma once

namespace tavorin {

// Hands back to the system the pages that freed allocations leave behind,
// between the ones still in use. A load lets go of the reading's own store
// and of every string it read; without this, their pages stay resident.
// Does nothing where the C library gives no such call.
void returnFreedMemory();

// Sets the C library's allocator up for a program that reads a large file in
// a thread of its own and keeps only what it needs of it. One arena for all
// threads: glibc gives each new thread an arena of its own, and what the
// reading thread leaves at the top of its arena stays resident (about
// 1.5 MB for a file of 10,001 points), as only the main arena's top is
// trimmed. Blocks of 128 KiB or more are taken from the system and given
// back when freed, and a free top of the heap of that size is trimmed, as
// glibc does by default until the first such block is freed, when it would
// raise both limits to that block's size. Call it first thing, before any
// thread starts. Does nothing outside glibc.
void setUpAllocator();

} // namespace tavorin

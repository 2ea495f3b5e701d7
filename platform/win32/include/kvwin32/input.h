// The input source of a thread: how user input reaches a headless message loop.
//
// Nobody types into a headless window system. When a thread asks for its next message and its
// queue holds none (no posted message, no window due for WM_PAINT), GetMessageA and
// WaitMessage ask the thread's input source, which the desktop installs: it may post input
// into the queue (PostMessageA, PostThreadMessageA) and answers whether it produced anything.
// Without a source, or when it produces nothing, the input has ended: GetMessageA returns -1
// with ERROR_NO_MORE_ITEMS, and every message loop treats that as the end of its run (a modal
// loop cancels its dialog).
//
// PeekMessageA never asks the source: a program peeking in its idle loop sees an empty queue
// and finishes its idle work first, as on Windows where a person is always slower than the
// program; the next GetMessageA fetches the input.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <functional>

namespace kvwin32 {

// Posts input into the calling thread's queue; true when it posted anything.
using InputSource = std::function<bool()>;

// Installs the calling thread's input source (an empty one removes it); returns the previous.
InputSource setInputSource(InputSource source);

}  // namespace kvwin32

#pragma GCC visibility pop

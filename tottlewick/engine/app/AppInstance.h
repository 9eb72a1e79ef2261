// Single instance: a named file mapping marks the first instance; a second one hands its command line
// over to the first on the clipboard and tells it with WM_USER 1998.
#pragma once

#include <cstdint>
#include <string>

constexpr unsigned kAppHandOverCode = 1998;  // wParam of the WM_USER message sent to the first instance

// 1 when another instance runs (the caller ends the process), else 0 with the mapping kept open for the
// life of the process. With handOver, the other instance's window is maximised, brought to the front,
// given the command line as a file-drop block and sent WM_USER 1998.
std::int16_t AppCheckSingleInstance(void* previousInstance, std::int16_t handOver);

// The clipboard file-drop block for a command line (length + 22 bytes, little-endian):
//
//   offset 0          4     8     12            16            20
//          +----------+-----+-----+-------------+-------------+---------------+-------+
//          | files at | x 0 | y 0 | non-client  | wide chars  | command line  | 0 0   |
//          | 20 (u32) |     |     | 0 (u32)     | 0 (u32)     |               |       |
//          +----------+-----+-----+-------------+-------------+---------------+-------+
std::string AppDropBlock(const std::string& commandLine);

#pragma once
// The stand-in card's record of the calls made to it: when TIRRA_DAQSIM_LOG names a file,
// each call appends one line with the function's name, its arguments and its status, e.g.
//     DAQmxCreateDIChan(task 1, "Dev1/port0/line0:7", "", 1) = 0
//     DAQmxStopTask(task 0) = -201003 (unknown task)
// Tasks are shown by their creation number in the calling process (null is task 0, a
// handle the card never gave out is task ?); other pointers as * or NULL.
#include <string>

namespace tirra::daqsim {

// True when calls are being recorded (checked on every call, so a test can change it).
bool callLogEnabled();

// Appends one line (newline added) with a single write, so lines of several processes
// never interleave.
void appendCallLog(const std::string& line);

// Argument spellings for the log.
std::string quoted(const char* text);  // "text" with \ and " escaped; NULL for null
const char* pointer(const void* p);    // "*" or "NULL"

}  // namespace tirra::daqsim

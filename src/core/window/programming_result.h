#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelta::pages {
struct PageContext;
}

namespace zelta::window {

// What the status bar tells of a pager just programmed: enough for the
// technician to label it and to see that the right codes went in.
struct ProgrammedPager {
  std::string serialNumber;        // empty when the link learnt none
  std::vector<std::string> codes;  // the present codes, in page order
  std::string icn;
};

// The pager as the codeplug on screen programs it, with the serial number
// the link read or gave it.
ProgrammedPager programmedPager(const pages::PageContext& context, std::string_view serialNumber);

// "Programmed pager SN 1234567890: codes 1234567, 0000008, ICN KEEP000001".
std::string programmedText(const ProgrammedPager& pager);
// The same with the count of pagers written in this sequential run, and
// what to do next.
std::string sequentialProgrammedText(const ProgrammedPager& pager, int count);

}  // namespace zelta::window

#include "nav/nav_plan_list.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace {

constexpr const char* PLAN_EXTENSIONS[] = {".PLN", ".pln", ".Pln", ".FMC", ".fmc", ".Fmc"};

// A name the fixed slots hold whole and that prints on one line.
bool fits_a_slot(const std::string& name) {
  return name.size() < NAV_PLAN_NAME_CAPACITY && name.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

bool nav_plan_name_retained(const char* name) {
  for (const char* extension : PLAN_EXTENSIONS)
    if (std::strstr(name, extension)) return true;
  return false;
}

std::string nav_plan_path(const char* folder, const char* name) {
  std::string path(folder ? folder : "");
  for (char& c : path)
    if (c == '\\') c = '/';
  // An empty plan path is the working folder, never the root.
  return path.empty() ? std::string(name) : path + "/" + name;
}

void nav_plan_list_build(NavPlanList* list, const char* folder) {
  list->count = 0;
  std::memset(list->names, 0, sizeof list->names);
  std::memset(list->shown, 0, sizeof list->shown);
  std::vector<std::string> names;
  const std::string listed = nav_plan_path(folder, ".");
  if (!list_directory_sorted(listed.c_str(), &names)) return;

  std::string listing;
  for (const std::string& name : names) {
    listing += name;
    listing += '\n';
  }
  // Best effort, and never half a file for another unit reading it.
  write_file_atomic(nav_plan_path(folder, NAV_PLAN_LIST_FILE).c_str(), listing);

  for (const std::string& name : names) {
    if (list->count >= NAV_PLAN_LIST_CAPACITY) break;
    if (!fits_a_slot(name) || !nav_plan_name_retained(name.c_str())) continue;
    char* original = list->names[list->count];
    char* shown = list->shown[list->count];
    std::memcpy(original, name.c_str(), name.size() + 1);
    for (size_t i = 0; i <= name.size(); ++i)
      shown[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    list->count++;
  }
}

int32_t nav_plan_selection_clamp(const NavPlanList* list, int32_t selected) {
  if (list->count <= 0 || selected < 0) return 0;
  return selected >= list->count ? list->count - 1 : selected;
}

int32_t nav_plan_selection_step(const NavPlanList* list, int32_t selected, int step) {
  if (list->count <= 0) return 0;
  selected = nav_plan_selection_clamp(list, selected);
  if (step > 0) return selected + 1 >= list->count ? 0 : selected + 1;
  if (step < 0) return selected == 0 ? list->count - 1 : selected - 1;
  return selected;
}

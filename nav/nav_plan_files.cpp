#include "nav/nav_plan_files.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "nav/nav_error_log.h"
#include "platform/files.h"

namespace {

std::string open_error(const char* folder) {
  return std::string("ERROR - Could not open Flight Plan, none found in ") + (folder ? folder : "") +
         ". Check path in MFD.ini\n";
}

void log_issues(const char* error_log, const char* name, const NavPlanIssues& issues) {
  if (issues.legs_ignored > 0)
    nav_log_error(error_log, std::string("ERROR - Flight Plan ") + name + " has more than " +
                                 std::to_string(NAV_PLAN_MAX_LEGS) + " legs; the legs after the " +
                                 std::to_string(NAV_PLAN_MAX_LEGS) + "th are ignored\n");
  for (const std::string& ident : issues.unplaced)
    nav_log_error(error_log, std::string("ERROR - Flight Plan ") + name + ": waypoint " +
                                 (ident.empty() ? "without ident" : ident) +
                                 " has no position and is not in the database; skipped\n");
}

}  // namespace

bool nav_plan_name_is_fmc(const char* upper_case_name) {
  return std::strstr(upper_case_name, "FMC") || std::strstr(upper_case_name, "Fmc") ||
         std::strstr(upper_case_name, "fmc");
}

NavPlanLoad nav_plan_load_file(const char* folder, const char* name, bool fmc_name, NavDatabase* db, ActivePlan* plan,
                               const char* error_log) {
  plan->leg_count = 0;
  const std::string path = nav_plan_path(folder, name);
  std::error_code ec;
  std::string text;
  // Only regular files: a folder or a pipe is no plan (and a pipe would block).
  if (!std::filesystem::is_regular_file(path, ec) || !read_file_bounded(path.c_str(), NAV_PLAN_FILE_LIMIT, &text)) {
    nav_log_error(error_log, open_error(folder));
    return NavPlanLoad{false, NAV_PLAN_NONE, false};
  }
  NavPlanIssues issues{};
  size_t waypoint_at = 0;
  const NavPlanLayout layout = nav_plan_detect(text, fmc_name, &waypoint_at);
  switch (layout) {
    case NAV_PLAN_FMC: nav_plan_parse_fmc(text, plan, &issues); break;
    case NAV_PLAN_XML: nav_plan_parse_xml(text, db, plan, &issues); break;
    case NAV_PLAN_TEXT: nav_plan_parse_text(std::string_view(text).substr(waypoint_at), plan, &issues); break;
    case NAV_PLAN_NONE: break;  // read to its end without legs, as a text plan
  }
  plan->loaded = 1;
  if (db) nav_plan_mark_airports(plan, db);
  log_issues(error_log, name, issues);
  const bool text_plan = layout == NAV_PLAN_TEXT || layout == NAV_PLAN_NONE;
  return NavPlanLoad{true, layout, text_plan};
}

NavPlanLoad nav_plan_load(const NavPlanList* list, int32_t index, const char* folder, NavDatabase* db,
                          ActivePlan* plan, const char* error_log) {
  if (index < 0 || index >= list->count || index >= NAV_PLAN_LIST_CAPACITY)
    return NavPlanLoad{false, NAV_PLAN_NONE, false};
  return nav_plan_load_file(folder, list->names[index], nav_plan_name_is_fmc(list->shown[index]), db, plan,
                            error_log);
}

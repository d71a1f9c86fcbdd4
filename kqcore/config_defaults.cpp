#include "kqcore/config_defaults.h"

ConfigStore::Defaults configDefaults() {
  return {
      {"xsw", "1"},
      {"cols", "2"},
      {"width", "1024"},
      {"height", "768"},
      {"scoreinit", "0"},
      {"scorestepdefault", "1"},
      {"scoresteps", "1,2,5,10"},
      {"title", "知识竞赛"},
      {"clrtitle", "0xFFFFD700"},
      {"clrteam", "0xFFFFFFFF"},
      {"on", "0"},
      {"tmcxh", "0"},
      {"uityp", "0"},
      {"fill", "0"},
  };
}

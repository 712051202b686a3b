# The settings file's reader: a state file may be damaged or edited by hand.
# Its source (and the key bindings it checks against) is compiled into the
# target so that it carries the fuzzer's coverage instrumentation.
tarvex_add_fuzzer(settings ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_settings.cpp tarvex_game_rules tarvex_support
                  tarvex_runtime tarvex_options)
target_sources(fuzz_settings PRIVATE ${PROJECT_SOURCE_DIR}/game/session/settings_file.cpp
               ${PROJECT_SOURCE_DIR}/game/rules/key_bindings.cpp)

# The rules: plain functions over plain data, no <windows.h>. They build into the executable and
# into the host test binary.
set(ZELVIK_RULE_SOURCES
    src/core/readout.cpp
    src/core/display_scale.cpp
    src/core/config_rules.cpp
    src/core/zone_rules.cpp
    src/core/colour_rules.cpp
    src/core/target_caption.cpp
    src/engine/chime_rules.cpp
    src/engine/keeper_rules.cpp
    src/engine/timing_rules.cpp
    src/controls/run_rules.cpp
    src/controls/mode_rules.cpp
    src/window/window_geometry.cpp
    src/window/command_rules.cpp
    src/window/readout_access.cpp
    src/window/taskbar_rules.cpp
    src/dialogs/dialog_fields.cpp
)

# The Win32 shell that applies the rules.
set(ZELVIK_SHELL_SOURCES
    src/core/timer_state.cpp
    src/core/time_source.cpp
    src/core/system_library.cpp
    src/core/com_start.cpp
    src/core/display_dpi.cpp
    src/core/window_icons.cpp
    src/core/sound.cpp
    src/core/config_file.cpp
    src/core/system_colours.cpp
    src/core/readout_events.cpp
    src/core/paint.cpp
    src/core/control_marks.cpp
    src/core/button_captions.cpp
    src/core/fonts.cpp
    src/engine/tick_worker.cpp
    src/engine/alarm_flash.cpp
    src/engine/clock_branch.cpp
    src/engine/elapsed_branch.cpp
    src/engine/until_time_branch.cpp
    src/controls/run_control.cpp
    src/controls/mode_control.cpp
    src/controls/control_focus.cpp
    src/window/main_window.cpp
    src/window/create_window.cpp
    src/window/popup_menu.cpp
    src/window/key_forwarder.cpp
    src/window/commands.cpp
    src/window/keyboard.cpp
    src/window/window_mouse.cpp
    src/window/context_menu.cpp
    src/window/close_window.cpp
    src/window/activation.cpp
    src/window/compact_mode.cpp
    src/window/frame_metrics.cpp
    src/window/edge_snap.cpp
    src/window/dpi_change.cpp
    src/window/readout_accessible.cpp
    src/window/taskbar_progress.cpp
    src/dialogs/common_controls.cpp
    src/dialogs/countdown_dialog.cpp
    src/dialogs/contact_dialog.cpp
    # The wiring: start-up and the message loop, the one room that reaches every other.
    src/app/startup.cpp
)

set(ZELVIK_INCLUDE_DIRS
    ${CMAKE_SOURCE_DIR}/src/core
    ${CMAKE_SOURCE_DIR}/src/engine
    ${CMAKE_SOURCE_DIR}/src/controls
    ${CMAKE_SOURCE_DIR}/src/window
    ${CMAKE_SOURCE_DIR}/src/dialogs
    ${CMAKE_SOURCE_DIR}/src/app
)

set(ZELVIK_WARNINGS -Wall -Wextra -Wshadow -Werror)

# GoogleTest from the distribution's sources, built with whichever compiler this tree uses.
set(ZELVIK_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

find_program(ZELVIK_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)

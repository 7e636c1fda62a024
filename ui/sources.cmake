# The Qt window: the main dialog, its secondary dialogs, the colour button,
# printing and the artwork drawn in code.
list(APPEND ROMWISE_UI_SOURCES
  ui/dialog_units.cpp
  ui/dialog_font.cpp
  ui/dialog_template.cpp
  ui/dialog_templates.cpp
  ui/clickable_label.cpp
  ui/color_button.cpp
  ui/artwork.cpp
  ui/logo_animation.cpp
  ui/options_dialog.cpp
  ui/more_info_dialog.cpp
  ui/confirmation_dialog.cpp
  ui/about_box.cpp
  ui/save_report_dialog.cpp
  ui/report_printer.cpp
  ui/main_dialog.cpp
  ui/first_paint_watch.cpp
  ui/window_options.cpp
)

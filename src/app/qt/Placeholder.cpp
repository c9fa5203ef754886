// Keeps the widget library non-empty until the main window lands.
namespace pm::gui {
int PlaceholderSymbol() { return 0; }
}  // namespace pm::gui

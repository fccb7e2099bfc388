// Placeholder so the library has a source until the format readers land.
namespace c64 {
}

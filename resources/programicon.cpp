// The program icon lives in this library's resources; this file gives the library a body.
namespace tolvi_resources {
int programIconSizes() {
    return 6;
}
} // namespace tolvi_resources

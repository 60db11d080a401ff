// The card image set lives in this library's resources; this file gives the library a body.
namespace tolvi_resources {
int cardImageMembers() {
    return 69;
}
} // namespace tolvi_resources

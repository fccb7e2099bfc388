namespace browser {
}

# Main window

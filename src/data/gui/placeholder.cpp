namespace data_gui_placeholder {}

object F: TForm
  object T: TQVTrackMouse
    Associate = <
      item
        TheControl = Form2.Button1
      end>
  end
end

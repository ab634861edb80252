object F: TForm
  object T1: TQVTrackMouse
    Associate = <
      item
        TheControl = B
      end
      item
        TheControl = Owner
      end>
  end
  object B: TButton
  end
  object T2: TQVTrackMouse
    Associate = <
      item
        TheControl = B
      end>
  end
  object T3: TQVTrackMouse
    Associate = <
      item
        TheControl = T1
      end>
  end
end

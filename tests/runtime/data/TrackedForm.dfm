object TrackedForm: TTrackedForm
  Left = 201
  Top = 101
  BorderStyle = bsSingle
  Caption = 'Tracked'
  ClientHeight = 200
  ClientWidth = 300
  Color = clBlack
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Bevel1: TTrackedControl
    Left = 2
    Top = 26
    Width = 70
    Height = 100
  end
  object Panel1: TTrackedControl
    Left = 100
    Top = 26
    Width = 70
    Height = 100
  end
  object QVTrack: TQVTrackMouse
    OnMouseEnter = QVTrackMouseEnter
    OnMouseLeave = QVTrackMouseLeave
    Associate = <
      item
        TheControl = Bevel1
      end
      item
        TheControl = Owner
      end
      item
        TheControl = Panel1
      end>
    Bounding = False
    Left = 352
    Top = 152
  end
end

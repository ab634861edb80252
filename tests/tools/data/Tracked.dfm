object TrackedForm: TTrackedForm
  Left = 201
  Top = 101
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'Tracked'
  ClientHeight = 120
  ClientWidth = 200
  Color = clBlack
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Bevel1: TBevel
    Left = 2
    Top = 26
    Width = 70
    Height = 100
  end
  object Panel1: TPanel
    Left = 80
    Top = 26
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Panel1'
    TabOrder = 0
  end
  object QVTrack: TQVTrackMouse
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
    Left = 160
    Top = 80
  end
end

object Form1: TForm1
  Left = 10
  Top = 10
  Caption = 'Unknown things'
  object Grid1: TcxGrid
    Left = 8
    Top = 16
    Width = 200
    Height = 120
    LookAndFeel.Kind = lfFlat
    Columns = <
      item
        Caption = 'Name'
      end>
    object Button1: TButton
      Left = 4
      Top = 4
      Width = 75
      Height = 25
      Caption = 'Inside'
      TabOrder = 0
    end
  end
  object Menu1: TFancyMenu
    Left = 300
    Top = 8
    object Item1: TFancyItem
      Caption = '&File'
      ShortCut = 16454
    end
  end
end
